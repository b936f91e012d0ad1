// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Care's verdict on a message of about a kilobyte of ordinary talk, as a ratio to one normalising
// pass of the same message (removing its spaces and lowering its case), measured alternately in
// one process; prints the medians and the ratio. Then the same for the kilobyte ending in a cry
// from someone acting now, where the model is asked too. Care is made ready before the timing
// starts.

#include "Median.h"
#include "care/Care.h"
#include "common/TextRules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

constexpr int Rounds = 15;
constexpr int Calls = 2000;

// Everyday sentences with a few of the words care listens for, the way people chat.
QString kilobyteMessage()
{
    const QString sentences = QStringLiteral(
        "今天和同事去吃了火锅，累死了但是很开心。 下午开会开到五点，老板说项目下周要上线。"
        "晚上回家路上下雨了，没带伞。 I was so tired but it was fun. 周末想去公园走走，"
        "顺便给猫买点吃的。最近在看一部电视剧，主角最后死了，哭得稀里哗啦。");
    QString message;
    while (message.size() < 1024)
        message += sentences;
    return message.left(1024);
}

template <typename Work> double secondsPerCall(Work work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Calls; ++i)
        work();
    return double(timer.nsecsElapsed()) / 1e9 / Calls;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const Care &care = Care::builtIn();
    const QString cry = QStringLiteral("。我现在就站在楼顶边上，不想活了。");
    const QString everyday = kilobyteMessage();
    // Named, not bound: clang 14 does not let a lambda capture a structured binding.
    for (const auto &sample :
         {std::pair{"1 KB message", everyday},
          std::pair{"1 KB ending in a cry", everyday.left(1024 - cry.size()) + cry}}) {
        const char *name = sample.first;
        const QString &typed = sample.second;
        const QString normalised = TextRules::normalise(typed);
        std::vector<double> normalising, verdict, ratio;
        for (int round = 0; round < Rounds; ++round) {
            const double n = secondsPerCall([&] { (void)TextRules::normalise(typed); });
            const double v = secondsPerCall([&] { (void)care.concernOf(normalised, typed); });
            normalising.push_back(n);
            verdict.push_back(v);
            ratio.push_back(v / n);
        }
        std::printf("%s: normalising %.2f us, care's verdict %.2f us; verdict / normalising "
                    "%.1f (median of %d rounds)\n",
                    name, 1e6 * median(normalising), 1e6 * median(verdict), median(ratio), Rounds);
    }
}
