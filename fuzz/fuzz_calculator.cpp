// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Any text after "计算": the calculator must answer or give up, never crash, overflow, read out
// of bounds or recurse without end (the sanitizers and libFuzzer's limits watch for these).

#include "FuzzCheck.h"
#include "calculator/Calculator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString expression = QString::fromUtf8(fuzzBytes(data, size));
    // Evaluated both ways the conversation uses: the value and the text it prints.
    const CalcResult result = Calculator::evaluate(expression);
    const QString answer = JS(expression);
    // The printed answer is the value's text: one without a value prints nothing.
    require(result.ok() || answer.isEmpty(), "an expression without a value prints nothing");
    return 0;
}
