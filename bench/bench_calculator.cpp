// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// How fast the calculator answers: everyday expressions, the longest and deepest ones it
// accepts, and the refusal of an oversized one.

#include "calculator/Calculator.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void evaluateEach(benchmark::State &state, const QString &expression)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(JS(expression));
}

void BM_Everyday(benchmark::State &state)
{
    evaluateEach(state, u"(1+2)*3-10/4+2^10"_s);
}
BENCHMARK(BM_Everyday);

void BM_FractionText(benchmark::State &state)
{
    evaluateEach(state, u"10/3"_s);
}
BENCHMARK(BM_FractionText);

void BM_LongestSum(benchmark::State &state)
{
    evaluateEach(state, u"1+"_s.repeated(32767) + u'1');
}
BENCHMARK(BM_LongestSum);

void BM_LongConcatenation(benchmark::State &state)
{
    evaluateEach(state, u"12&"_s.repeated(21000) + u'3');
}
BENCHMARK(BM_LongConcatenation);

void BM_DeepestNesting(benchmark::State &state)
{
    evaluateEach(state, QString(200, u'(') + u'1' + QString(200, u')'));
}
BENCHMARK(BM_DeepestNesting);

void BM_TooDeep(benchmark::State &state)
{
    evaluateEach(state, QString(60000, u'('));
}
BENCHMARK(BM_TooDeep);

void BM_OneMegabyteRefused(benchmark::State &state)
{
    evaluateEach(state, u"1+"_s.repeated(512 * 1024));
}
BENCHMARK(BM_OneMegabyteRefused);

} // namespace

BENCHMARK_MAIN();
