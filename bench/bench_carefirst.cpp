// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The first reply after care's words are compiled, against the same replies later: care's
// expressions are compiled, and made ready to run, on the work pool before the window answers
// anything, so the first cry a user types costs the window's thread no more than any later one.
// Each measurement runs in a fresh process (the program's own first reply happens once); prints
// the medians of the first and the later passes, their ratio, and the compile time the pool
// spends.

#include "Median.h"
#include "care/Care.h"
#include "common/TextRules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>

namespace {

constexpr int Processes = 7;

// Cries and look-alikes that reach many families, each asked once per pass.
const char16_t *const Messages[] = {u"活着真的没什么意思",
                                    u"真希望明天不会来",
                                    u"要是我消失了大家会不会轻松一点",
                                    u"药已经攒够了，就等周末家里没人",
                                    u"天台的门没锁，我上去待了很久",
                                    u"又划了一道，停不下来",
                                    u"以后替我照顾好爸妈",
                                    u"笑死我了这个视频",
                                    u"今天热死了",
                                    u"小说里主角最后跳崖了",
                                    u"我想早点去找我老伴",
                                    u"如果我不在了，会有人发现吗"};

double passSeconds()
{
    QElapsedTimer timer;
    timer.start();
    for (const char16_t *message : Messages)
        (void)Care::builtIn().concernOf(TextRules::normalise(QString::fromUtf16(message)));
    return double(timer.nsecsElapsed()) / 1e9;
}

// One process's figures: compile, first pass, median of later passes.
int child()
{
    QElapsedTimer timer;
    timer.start();
    (void)Care::builtIn();
    const double compile = double(timer.nsecsElapsed()) / 1e9;
    const double first = passSeconds();
    std::vector<double> later;
    for (int i = 0; i < 21; ++i)
        later.push_back(passSeconds());
    std::printf("%.9f %.9f %.9f\n", compile, first, median(later));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--child")))
        return child();
    std::vector<double> compile, first, later, ratio;
    for (int i = 0; i < Processes; ++i) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
        if (!process.waitForFinished(120000) || process.exitCode() != 0)
            qFatal("the measuring process failed");
        const QStringList figures =
            QString::fromLatin1(process.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
        compile.push_back(figures.at(0).toDouble());
        first.push_back(figures.at(1).toDouble());
        later.push_back(figures.at(2).toDouble());
        ratio.push_back(first.back() / later.back());
    }
    std::printf("%d processes: compiling on the pool %.1f ms; first pass of %zu messages %.3f ms, "
                "later passes %.3f ms; first / later %.2f (median of each)\n",
                Processes, 1e3 * median(compile), std::size(Messages), 1e3 * median(first),
                1e3 * median(later), median(ratio));
}
