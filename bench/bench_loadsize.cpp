// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Loading Data.ait against just reading it, for big files: 256 MB of zero bytes, 256 MB of one
// line with neither a line end nor a marker (a table whose line ends and markers were lost), and
// a large generated table. Whether the file loads or is refused in words, the load should take
// at most three times as long as reading its bytes.
//
// Each benchmark reads and loads its file several times, one after the other, and reports the
// medians and their ratio (load_per_read), all measured in this same run: the machine is shared.
// The files go to a temporary folder and each is deleted once measured.
// Run: build/bench/bench_loadsize    (--megabytes=1024 for files as big as the program reads,
//                                     --entries=N for the table's size)

#include "GeneratedTable.h"
#include "Median.h"
#include "knowledge/KnowledgeFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

qint64 megabytes = 256;
int entries = 2'000'000;
constexpr int Runs = 5;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Writes the file with content(size) called until it has returned size bytes in all, each
// call giving at most a mebibyte, and makes sure it is on the disk before anything is timed.
// Then it waits a few seconds: a start finds a file written long before, and the load checks the
// bytes of one written moments ago as well.
QString writeFile(const char *name, qint64 size, const std::function<QByteArray(qint64)> &content)
{
    const QString path = folder().filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", name);
    for (qint64 written = 0; written < size;) {
        const QByteArray piece = content(std::min<qint64>(size - written, 1 << 20));
        if (piece.isEmpty() || file.write(piece) != piece.size())
            qFatal("cannot write %s", name);
        written += piece.size();
    }
    file.flush();
    ::fsync(file.handle());
    ::sleep(4);
    return path;
}

double secondsToRead(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the file");
    const QByteArray bytes = file.readAll();
    benchmark::DoNotOptimize(bytes.constData());
    return double(timer.nsecsElapsed()) / 1e9;
}

// Also says how the load ended. The knowledge is let go after the clock stops.
double secondsToLoad(const QString &path, QString &outcome)
{
    QElapsedTimer timer;
    timer.start();
    const KnowledgeFile::Loaded loaded = KnowledgeFile::load(path);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    outcome = loaded.knowledge
                  ? QStringLiteral("loaded %1 entries").arg(loaded.knowledge->entryCount())
                  : QStringLiteral("refused: ") + loaded.knowledge.reason();
    return seconds;
}

void measure(benchmark::State &state, const QString &path)
{
    std::vector<double> reads;
    std::vector<double> loads;
    QString outcome;
    // Once untimed, so that both start from the same cache.
    secondsToRead(path);
    for (auto _ : state) {
        for (int run = 0; run < Runs; ++run) {
            reads.push_back(secondsToRead(path));
            loads.push_back(secondsToLoad(path, outcome));
        }
    }
    state.counters["megabytes"] = double(QFileInfo(path).size()) / 1e6;
    QFile::remove(path);
    state.counters["read_ms"] = median(reads) * 1e3;
    state.counters["load_ms"] = median(loads) * 1e3;
    state.counters["load_per_read"] = median(loads) / median(reads);
    state.SetLabel(outcome.toStdString());
}

void BM_ZeroBytes(benchmark::State &state)
{
    const QString path =
        writeFile("zeros.ait", megabytes << 20, [](qint64 size) { return QByteArray(size, '\0'); });
    measure(state, path);
}

void BM_NoLineEnd(benchmark::State &state)
{
    // A generated table's entries with their line ends taken out, after the user's name.
    QByteArray line = generatedFile(20'000);
    line = line.mid(line.lastIndexOf("[AI_Dat]") + 8).replace("\r\n", "");
    QByteArray piece = "|zu|";
    qint64 at = 0;
    const QString path = writeFile("line.ait", megabytes << 20, [&](qint64 size) {
        while (piece.size() < size) {
            const qint64 take = std::min<qint64>(size - piece.size(), line.size() - at);
            piece += line.mid(at, take);
            at = (at + take) % line.size();
        }
        return std::exchange(piece, {});
    });
    measure(state, path);
}

void BM_GeneratedTable(benchmark::State &state)
{
    QByteArray bytes = generatedFile(entries);
    qint64 at = 0;
    const QString path = writeFile("table.ait", bytes.size(), [&](qint64 size) {
        const QByteArray piece = bytes.mid(at, size);
        at += piece.size();
        return piece;
    });
    bytes = {};
    measure(state, path);
}

BENCHMARK(BM_ZeroBytes)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_NoLineEnd)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GeneratedTable)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--megabytes=", 0) == 0)
            megabytes = std::stoll(arg.substr(12));
        else if (arg.rfind("--entries=", 0) == 0)
            entries = std::stoi(arg.substr(10));
        else
            args.push_back(argv[i]);
    }
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
