// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// How long the window stands still while it loads a table of a million entries, enters
// teaching (an unsorted table, then the sorted one it saved) and leaves it (the save and the
// reload). A timer ticking every 5 ms through the real window measures the longest gap
// between its ticks; the baseline is the whole time the work took, which is how long the
// window would stand still if it were done on the window's own thread. Medians of a few runs.

#include "BenchWindow.h"
#include "GeneratedTable.h"
#include "Median.h"
#include "window/FrmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr int Entries = 1'000'000;
constexpr int Runs = 3;
constexpr int TickMilliseconds = 5;

// The longest time between two ticks of a timer on the window's thread while work runs.
class StallMeter
{
public:
    StallMeter()
    {
        m_timer.setInterval(TickMilliseconds);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }
    // Runs work and returns {longest gap, whole time} in milliseconds.
    std::pair<double, double> measure(const std::function<void()> &work)
    {
        m_longest = 0;
        m_whole.start();
        m_sinceTick.start();
        m_timer.start();
        work();
        tick();
        m_timer.stop();
        return {m_longest, double(m_whole.nsecsElapsed()) / 1e6};
    }

private:
    void tick()
    {
        m_longest = std::max(m_longest, double(m_sinceTick.nsecsElapsed()) / 1e6);
        m_sinceTick.start();
    }

    QTimer m_timer;
    QElapsedTimer m_whole;
    QElapsedTimer m_sinceTick;
    double m_longest = 0;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QByteArray file = generatedFile(Entries);

    const QStringList phases = {
        QStringLiteral("loading at start-up"),
        QStringLiteral("entering teaching, unsorted table"),
        QStringLiteral("leaving teaching (save and reload)"),
        QStringLiteral("entering teaching, sorted table"),
        QStringLiteral("leaving teaching again"),
    };
    std::map<QString, std::vector<double>> gaps;
    std::map<QString, std::vector<double>> wholes;
    StallMeter meter;
    for (int run = 0; run < Runs; ++run) {
        QTemporaryDir dir;
        QFile data(dir.filePath(QStringLiteral("Data.ait")));
        if (!data.open(QIODevice::WriteOnly) || data.write(file) != file.size())
            qFatal("cannot write the generated file");
        data.close();
        BenchFakes fakes;
        FrmMain window(dir.path(), fakes.seams());
        const auto enter = [&window] {
            window.findChild<QPlainTextEdit *>(QStringLiteral("TxtSend"))
                ->setPlainText(QStringLiteral("/teach"));
            window.findChild<QPushButton *>(QStringLiteral("CmdSend"))->click();
            window.replyTick();
            waitForWork(window);
        };
        const auto leave = [&window] {
            window.findChild<QPushButton *>(QStringLiteral("CmdEdit2"))->click();
            waitForWork(window);
        };
        const auto start = [&window] {
            window.start();
            waitForWork(window);
        };
        const std::function<void()> steps[] = {start, enter, leave, enter, leave};
        for (int i = 0; i < phases.size(); ++i) {
            const auto [gap, whole] = meter.measure(steps[i]);
            gaps[phases[i]].push_back(gap);
            wholes[phases[i]].push_back(whole);
        }
        if (window.mode() != FrmMain::Mode::Conversation ||
            window.knowledge().entryCount() != Entries)
            qFatal("the window did not come back with the whole table");
    }

    QTextStream out(stdout);
    out << QStringLiteral("Stalls at %1 entries (%2 MB file), %3 runs, timer every %4 ms\n\n")
               .arg(Entries)
               .arg(double(file.size()) / 1e6, 0, 'f', 1)
               .arg(Runs)
               .arg(TickMilliseconds);
    out << "| work | longest stall | baseline: the whole work | ratio | goal |\n";
    out << "|---|---|---|---|---|\n";
    for (const QString &phase : phases) {
        const double gap = median(gaps[phase]);
        const double whole = median(wholes[phase]);
        out << QStringLiteral("| %1 | %2 ms | %3 ms | %4 | stall ≤ 100 ms |\n")
                   .arg(phase)
                   .arg(gap, 0, 'f', 1)
                   .arg(whole, 0, 'f', 1)
                   .arg(gap / whole, 0, 'f', 3);
    }
    return 0;
}
