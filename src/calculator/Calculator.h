// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The calculator's evaluator: VBScript's expression grammar over CalcValue's arithmetic, and JS,
// the function the calculator asks for an answer.

#include "calculator/CalcValue.h"

#include <QString>
#include <QStringView>

namespace Calculator {

// The value of an expression, or why it has none.
CalcResult evaluate(QStringView expression);

// The expression a request to calculate holds, from the normalised message: "计算" and "？" taken
// out; "=", "等于" and a question for the value (等于多少, 等于几, 是多少) dropped at either end;
// "等于" between operands read as "="; and "mod" between operands spaced again, as the
// normalisation took its spaces.
QString requestedExpression(QString message);

} // namespace Calculator

// Evaluates an arithmetic expression the way VBScript's Eval would and returns its value as
// VBScript prints it, or the empty string when the expression cannot be evaluated.
QString JS(const QString &expressions);
