// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Teaching a table of a million entries through the real window: entering teaching mode
// (copying and sorting the table), a lookup per keystroke, a commit, and leaving (the save
// and the reload). The window runs offscreen; message boxes are answered at once.

#include "BenchWindow.h"
#include "common/GbkCodec.h"
#include "support/SmallKnowledge.h"
#include "teaching/TeachingList.h"
#include "window/FrmMain.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 1'000'000;

struct BigTable
{
    QTemporaryDir dir;
    BenchFakes fakes;
    std::unique_ptr<FrmMain> window;

    BigTable()
    {
        QStringList entries;
        entries.reserve(kEntries);
        for (int i = 0; i < kEntries; ++i)
            entries.append(QStringLiteral("键%1\\回复%1\\").arg(qint64(i) * 7919 % kEntries));
        QFile file(dir.filePath(QStringLiteral("Data.ait")));
        file.open(QIODevice::WriteOnly);
        file.write(*GbkCodec::encode(knowledgeText(entries)));
        file.close();
        window = std::make_unique<FrmMain>(dir.path(), fakes.seams());
        window->start();
        waitForWork(*window);
    }
    template <typename T> T *control(const char *name)
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    void enterTeaching()
    {
        control<QPlainTextEdit>("TxtSend")->setPlainText(QStringLiteral("/teach"));
        control<QPushButton>("CmdSend")->click();
        window->replyTick();
        waitForWork(*window);
    }
    void leaveTeaching()
    {
        control<QPushButton>("CmdEdit2")->click();
        waitForWork(*window);
    }
};

void BM_EnterTeaching(benchmark::State &state)
{
    BigTable table;
    for (auto _ : state) {
        table.enterTeaching();
        state.PauseTiming();
        table.leaveTeaching();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EnterTeaching)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LookupPerKeystroke(benchmark::State &state)
{
    BigTable table;
    table.enterTeaching();
    auto *keyword = table.control<QLineEdit>("TxtTeach1");
    int i = 0;
    for (auto _ : state)
        keyword->setText(QStringLiteral("键%1").arg(i++ % kEntries));
}
BENCHMARK(BM_LookupPerKeystroke)->Unit(benchmark::kMicrosecond);

void BM_Commit(benchmark::State &state)
{
    BigTable table;
    table.enterTeaching();
    int i = 0;
    for (auto _ : state) {
        table.control<QLineEdit>("TxtTeach1")->setText(QStringLiteral("新键%1").arg(i++));
        table.control<QLineEdit>("TxtTeach2")->setText(QStringLiteral("新回复"));
        table.control<QPushButton>("CmdEdit1")->click();
    }
}
BENCHMARK(BM_Commit)->Unit(benchmark::kMicrosecond);

void BM_LeaveTeachingSavesAndReloads(benchmark::State &state)
{
    BigTable table;
    for (auto _ : state) {
        state.PauseTiming();
        table.enterTeaching();
        state.ResumeTiming();
        table.leaveTeaching();
    }
}
BENCHMARK(BM_LeaveTeachingSavesAndReloads)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplyOverTheTable(benchmark::State &state)
{
    BigTable table;
    for (auto _ : state) {
        table.control<QPlainTextEdit>("TxtSend")->setPlainText(QStringLiteral("没有这个键"));
        table.control<QPushButton>("CmdSend")->click();
        table.window->replyTick();
    }
}
BENCHMARK(BM_ReplyOverTheTable)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
