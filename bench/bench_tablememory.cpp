// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// What a table of a million entries costs in memory, through the real window: loaded with its
// reply index built, and the peak while teaching mode is entered and left (the save and the
// reload). Each figure is the resident memory above the idle program (the same window over the
// default table, measured first in this process), as a ratio to the file's size. Linux only:
// it reads /proc/self/status and resets the peak through /proc/self/clear_refs.

#include "BenchWindow.h"
#include "GeneratedTable.h"
#include "app/ProcessPolicy.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <malloc.h>
#include <memory>

namespace {

constexpr int Entries = 1'000'000;

// A field of /proc/self/status in bytes (VmRSS: now; VmHWM: the peak since the last reset).
qint64 statusBytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/status");
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').first().toLongLong() * 1024;
    }
    qFatal("no %s in /proc/self/status", field);
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        qFatal("cannot reset the peak through /proc/self/clear_refs");
}

struct Window
{
    QTemporaryDir dir;
    BenchFakes fakes;
    std::unique_ptr<FrmMain> window;

    explicit Window(const QString &file)
    {
        if (!QFile::copy(file, dir.filePath(QStringLiteral("Data.ait"))))
            qFatal("cannot copy the data file");
        window = std::make_unique<FrmMain>(dir.path(), fakes.seams());
        window->start();
        waitUntil([this] { return window->replyIndexReady(); });
    }
    void send(const QString &text)
    {
        window->findChild<QPlainTextEdit *>(QStringLiteral("TxtSend"))->setPlainText(text);
        window->findChild<QPushButton *>(QStringLiteral("CmdSend"))->click();
        window->replyTick();
    }
    void leaveTeaching() { window->findChild<QPushButton *>(QStringLiteral("CmdEdit2"))->click(); }
};

} // namespace

int main(int argc, char **argv)
{
    ProcessPolicy::returnLargeBlocks(); // as the program does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The files are made first and dropped, with what making them cost, before anything is
    // measured.
    QTemporaryDir files;
    const QString small = files.filePath(QStringLiteral("small.ait"));
    const QString big = files.filePath(QStringLiteral("big.ait"));
    qint64 fileSize = 0;
    for (const auto &[path, entries] : {std::pair(small, 465), std::pair(big, Entries)}) {
        QFile file(path);
        const QByteArray bytes = generatedFile(entries);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the generated file");
        fileSize = bytes.size();
    }
    malloc_trim(0);

    // The idle program: its window over a table of the default's size, answering.
    Window idleWindow(small);
    idleWindow.send(QStringLiteral("你好"));
    const qint64 idle = statusBytes("VmRSS:");

    struct Row
    {
        QString what;
        qint64 bytes;
    };
    QList<Row> rows;
    resetPeak();
    {
        Window bigWindow(big);
        rows.append(
            {QStringLiteral("peak while loading and building the index"), statusBytes("VmHWM:")});
        rows.append({QStringLiteral("loaded, index built, conversation"), statusBytes("VmRSS:")});
        resetPeak();
        bigWindow.send(QStringLiteral("/teach"));
        waitUntil([&] { return bigWindow.window->mode() == FrmMain::Mode::Teaching; });
        rows.append({QStringLiteral("peak entering teaching"), statusBytes("VmHWM:")});
        rows.append({QStringLiteral("in teaching"), statusBytes("VmRSS:")});
        resetPeak();
        bigWindow.leaveTeaching();
        waitUntil([&] { return bigWindow.window->replyIndexReady(); });
        rows.append(
            {QStringLiteral("peak leaving teaching (save, reload, index)"), statusBytes("VmHWM:")});
        if (bigWindow.window->knowledge().entryCount() != Entries)
            qFatal("the window did not come back with the whole table");
    }

    QTextStream out(stdout);
    out << QStringLiteral("Memory at %1 entries (%2 MB file); idle program %3 MB\n\n")
               .arg(Entries)
               .arg(double(fileSize) / 1e6, 0, 'f', 1)
               .arg(double(idle) / 1e6, 0, 'f', 1);
    out << "| state | above idle | baseline: file size | ratio |\n|---|---|---|---|\n";
    for (const Row &row : rows) {
        out << QStringLiteral("| %1 | %2 MB | %3 MB | %4 |\n")
                   .arg(row.what)
                   .arg(double(row.bytes - idle) / 1e6, 0, 'f', 1)
                   .arg(double(fileSize) / 1e6, 0, 'f', 1)
                   .arg(double(row.bytes - idle) / double(fileSize), 0, 'f', 2);
    }
    return 0;
}
