// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// How long one reply takes over the default knowledge: an ordinary message, a message that
// matches nothing (the whole table is scanned), and a pasted megabyte.

#include "conversation/Randomness.h"
#include "conversation/ReplyEngine.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <benchmark/benchmark.h>

namespace {

class FixedRandom final : public RandomSource
{
public:
    double next() override { return 0.5; }
};

const KnowledgeBase &defaultKnowledge()
{
    static const KnowledgeBase kb =
        *KnowledgeBase::parse(*KnowledgeFile::firstRunBytes(QStringLiteral("zu")));
    return kb;
}

void replyTo(benchmark::State &state, const QString &message)
{
    const KnowledgeBase &kb = defaultKnowledge();
    FixedRandom random;
    for (auto _ : state) {
        QString pending = message;
        benchmark::DoNotOptimize(ReplyEngine::respond(pending, kb, QStringLiteral("阿木"), random));
    }
}

void BM_KeywordReply(benchmark::State &state)
{
    replyTo(state, QStringLiteral("你好啊"));
}
BENCHMARK(BM_KeywordReply);

void BM_NoMatch(benchmark::State &state)
{
    replyTo(state, QStringLiteral("这句话里没有任何关键字"));
}
BENCHMARK(BM_NoMatch);

void BM_PastedMegabyte(benchmark::State &state)
{
    replyTo(state, QString(1 << 20, u'嘿'));
}
BENCHMARK(BM_PastedMegabyte)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
