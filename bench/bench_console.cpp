// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The console's batch mode against the least a batch could do: a plain loop that reads the same
// lines, asks the reply engine, fills the placeholders and writes the same columns. The
// evaluation set repeated to 100,000 lines, at 465 and 1,000,000 entries, the index built before
// either starts. Prints the medians and their ratio (goal: at most 1.5).

#include "GeneratedTable.h"
#include "Median.h"
#include "common/TextRules.h"
#include "console/BatchRun.h"
#include "console/ConsoleChat.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyEngine.h"
#include "conversation/ReplyIndex.h"
#include "conversation/RobotProfile.h"
#include "conversation/RobotText.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Lines = 100'000;
constexpr int Runs = 5;

QString messagesFile(QTemporaryFile &file)
{
    QFile set(QStringLiteral(MIAOYU_TEST_DATA "/reply_fit.tsv"));
    if (!set.open(QIODevice::ReadOnly))
        std::abort();
    QList<QByteArray> messages;
    const QList<QByteArray> rows = set.readAll().split('\n');
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (!rows.at(i).isEmpty())
            messages.append(rows.at(i).split('\t').constFirst());
    }
    if (!file.open())
        std::abort();
    for (int i = 0; i < Lines; ++i)
        file.write(messages.at(i % messages.size()) + '\n');
    file.flush();
    return file.fileName();
}

QString routeName(const ReplyEngine::Route &route)
{
    using Way = ReplyEngine::Route::Way;
    static const QString names[] = {QStringLiteral("command"),   QStringLiteral("calculator"),
                                    QStringLiteral("care:self"), QStringLiteral("rude"),
                                    QStringLiteral("entry"),     QStringLiteral("no-answer")};
    if (route.way == Way::Crisis && route.concern == Care::Concern::SomeoneElse)
        return QStringLiteral("care:helper");
    return names[int(route.way)];
}

// The baseline: read, answer, fill, write, nothing more.
void plainLoop(FILE *in, FILE *out, const KnowledgeBase &knowledge, const ReplyIndex &index,
               RandomSource &random, const Clock &clock)
{
    const QString name = RobotProfile::builtIn().name;
    char *buffer = nullptr;
    size_t capacity = 0;
    qint64 number = 0;
    ssize_t length;
    while ((length = ::getline(&buffer, &capacity, in)) >= 0) {
        QString message =
            TextRules::normalise(QString::fromUtf8(buffer, length > 0 ? length - 1 : 0));
        const Reply reply = ReplyEngine::respond(message, knowledge, name, random, &index);
        const bool entry = reply.route.way == ReplyEngine::Route::Way::Entry;
        const QString line =
            QString::number(++number) + u'\t' + routeName(reply.route) + u'\t' +
            (entry ? KnowledgeEntry::key(knowledge.keywordTable.at(reply.route.entry)).toString()
                   : QString()) +
            u'\t' + (entry ? QString::number(reply.route.entry + 1) : QString()) + u'\t' +
            (reply.text ? RobotText::expandPlaceholders(*reply.text, name, message, clock.now())
                        : QString()) +
            u'\n';
        const QByteArray bytes = line.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    }
    std::free(buffer);
}

template <typename Work> double seconds(const QString &input, Work work)
{
    FILE *in = std::fopen(QFile::encodeName(input).constData(), "r");
    FILE *out = std::fopen("/dev/null", "w");
    QElapsedTimer timer;
    timer.start();
    work(in, out);
    std::fflush(out);
    const double elapsed = double(timer.nsecsElapsed()) / 1e9;
    std::fclose(in);
    std::fclose(out);
    return elapsed;
}

void measure(const char *label, const KnowledgeBase &knowledge, const QString &input)
{
    SeededRandom random(1);
    const StoppedClock clock(QDateTime(QDate(2014, 9, 5), QTime(6, 43, 55)));
    const std::optional<ReplyIndex> index = ReplyIndex::build(knowledge);
    ConsoleChat chat(knowledge, random, clock, QStringLiteral("miaoyutong"));
    FILE *err = std::fopen("/dev/null", "w");

    std::vector<double> plain, batch;
    for (int run = 0; run < Runs + 1; ++run) {
        const double p = seconds(input, [&](FILE *in, FILE *out) {
            plainLoop(in, out, knowledge, *index, random, clock);
        });
        const double b =
            seconds(input, [&](FILE *in, FILE *out) { BatchRun::run(in, out, err, chat, {}); });
        if (run > 0) { // the first pair warms the caches
            plain.push_back(p);
            batch.push_back(b);
        }
    }
    std::fclose(err);
    std::printf("%-20s plain loop %7.3f s   console batch %7.3f s   ratio %.2f\n", label,
                median(plain), median(batch), median(batch) / median(plain));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryFile input;
    const QString inputPath = messagesFile(input);
    std::printf("%d messages a run, median of %d runs each, alternating\n", Lines, Runs);
    measure("465 entries",
            *KnowledgeBase::parse(*KnowledgeFile::firstRunBytes(QStringLiteral("zu"))), inputPath);
    measure("1,000,000 entries", *KnowledgeBase::parse(generatedFile(1'000'000)), inputPath);
}
