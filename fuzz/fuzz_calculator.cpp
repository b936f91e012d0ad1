// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Any text after "计算": the calculator must answer or give up, never crash, overflow, read out
// of bounds or recurse without end (the sanitizers and libFuzzer's limits watch for these).

#include "FuzzCheck.h"
#include "calculator/Calculator.h"

namespace {

// Evaluated both ways the conversation uses: the value and the text it prints. The printed
// answer is the value's text: one without a value prints nothing.
void evaluateBothWays(const QString &expression)
{
    const CalcResult result = Calculator::evaluate(expression);
    const QString answer = JS(expression);
    require(result.ok() || answer.isEmpty(), "an expression without a value prints nothing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString expression = QString::fromUtf8(fuzzBytes(data, size));
    evaluateBothWays(expression);

    // The same text as a message: what the clean-up leaves neither starts nor ends with "=" or
    // ends with a question for the value, and gains at most the space after each "mod".
    const QString request = Calculator::requestedExpression(QStringLiteral("计算") + expression);
    require(!request.startsWith(u'=') && !request.endsWith(u'='), "no = left at either end");
    require(!request.endsWith(u"是多少") && !request.endsWith(u"=多少") &&
                !request.endsWith(u"=几"),
            "no question for the value left at the end");
    require(request.size() <= expression.size() + expression.count(u"mod", Qt::CaseInsensitive),
            "the clean-up only adds a space after mod");
    evaluateBothWays(request);
    return 0;
}
