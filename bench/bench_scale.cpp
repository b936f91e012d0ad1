// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// How the reply scales with the table: generated GBK tables of 465, 100,000 and 1,000,000
// entries whose keys and replies are drawn like the default table's (each one copies the
// length and the mix of Chinese, Latin, digits and symbols of a default key or reply), and
// messages made of the default sentences that hold no key of the table, with none to three of
// its keys put in them.
//
// Prints one table: each figure, the baseline measured beside it in this same run, and their
// ratio (medians of several repetitions; the machine is shared, so only ratios are compared).
// Run: build/bench/bench_scale        (add --sizes=465,100000 to leave the largest out)

#include "care/Care.h"
#include "common/GbkCodec.h"
#include "common/TextRules.h"
#include "conversation/KeyAutomaton.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyEngine.h"
#include "conversation/ReplyIndex.h"
#include "knowledge/CheckedReplace.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/TeachingList.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString RobotName = QStringLiteral("阿木");
constexpr int MessageCount = 64;

class FixedRandom final : public RandomSource
{
public:
    double next() override { return 0.5; }
};

// Characters to draw from, by the kind of character they replace in a default text.
struct Alphabet
{
    // The less common half of GB2312. With a million keys drawn from the common half, every
    // common character would be a key of its own, and no sentence could hold only the keys put
    // in it: the scan would stop at one of the first entries for any message at all.
    QString hanzi;
    QString symbols;

    explicit Alphabet(const QStringList &defaultKeys)
    {
        QByteArray bytes;
        for (int row = 0xD8; row <= 0xF7; ++row) {
            for (int cell = 0xA1; cell <= 0xFE; ++cell)
                bytes.append(char(row)).append(char(cell));
        }
        hanzi = GbkCodec::decode(bytes);
        for (const QString &key : defaultKeys) {
            for (QChar c : key) {
                if (!isHanzi(c) && !c.isLetterOrNumber() && c != u'|' && c != u'\\' &&
                    !symbols.contains(c))
                    symbols += c;
            }
        }
    }

    static bool isHanzi(QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; }
};

class Generator
{
public:
    Generator(const KnowledgeBase &defaults, quint32 seed)
        : m_random(seed), m_alphabet(keysOf(defaults))
    {
        for (const QStringView entry : defaults.keywordTable) {
            m_keys << KnowledgeEntry::key(entry).toString();
            m_replyCounts << int(KnowledgeEntry::replies(entry).size());
            m_replies << KnowledgeEntry::replies(entry);
        }
        for (const QStringList &list :
             {defaults.randomQuestions, defaults.randomAnswers, m_replies}) {
            for (const QString &sentence : list)
                m_sentences << TextRules::normalise(sentence);
        }
    }

    // The default sentences that hold no key of the table, no filter word and nothing the
    // robot would answer with care, so that a message holds just the keys put in it.
    void keepSentencesWithoutKeys(const ReplyIndex &index)
    {
        m_sentences.removeIf([&index](const QString &sentence) {
            return index.firstEntry(sentence) || index.firstFilterWord(sentence) ||
                   Care::builtIn().concernOf(sentence) == Care::Concern::Self;
        });
        if (m_sentences.isEmpty())
            qFatal("every default sentence holds some key of the table");
    }

    // "key\reply\...\" like a default entry, without its line end.
    QString entry()
    {
        QString text = likeThis(pick(m_keys));
        for (int n = std::max(1, pick(m_replyCounts)); n > 0; --n)
            text += u'\\' + likeThis(pick(m_replies));
        return text + u'\\';
    }

    // About length characters of default sentences with none to three of keys among them.
    QString message(const QStringList &keys, qsizetype length)
    {
        QString text;
        while (text.size() < length)
            text += pick(m_sentences);
        text.truncate(length);
        for (int n = keys.isEmpty() ? 0 : below(4); n > 0; --n) {
            const QString &key = pick(keys);
            text.replace(below(int(std::max<qsizetype>(1, text.size() - key.size()))), key.size(),
                         key);
        }
        text.truncate(length);
        return text;
    }

private:
    static QStringList keysOf(const KnowledgeBase &kb)
    {
        QStringList keys;
        for (const QStringView entry : kb.keywordTable)
            keys << KnowledgeEntry::key(entry).toString();
        return keys;
    }

    int below(int n) { return int(m_random.bounded(quint32(n))); }
    template <typename T> const T &pick(const QList<T> &list)
    {
        return list.at(below(int(list.size())));
    }

    // A text of the same length and kinds of characters as the model.
    QString likeThis(const QString &model)
    {
        QString text = model;
        for (QChar &c : text) {
            if (Alphabet::isHanzi(c))
                c = m_alphabet.hanzi.at(below(int(m_alphabet.hanzi.size())));
            else if (c.isDigit())
                c = QChar(u'0' + below(10));
            else if (c.isLower())
                c = QChar(u'a' + below(26));
            else if (c.isUpper())
                c = QChar(u'A' + below(26));
            else if (!m_alphabet.symbols.isEmpty() && c != u'|' && c != u'\\')
                c = m_alphabet.symbols.at(below(int(m_alphabet.symbols.size())));
        }
        return text.remove(u'|').remove(u'\\');
    }

    QRandomGenerator m_random;
    Alphabet m_alphabet;
    QStringList m_keys;
    QList<int> m_replyCounts;
    QStringList m_replies;
    QStringList m_sentences;
};

// The layout the reply index had before one automaton over every key replaced it, kept here so
// that each run measures both: automata over the first 1,024, 16,384, 262,144 … keys, ending
// with all of them, asked smallest first (the first that finds a key has found the first entry
// of all, since every later entry comes after all of its keys).
class TieredAutomata
{
public:
    explicit TieredAutomata(std::span<const QStringView> keys)
    {
        for (size_t tier = 1024;; tier *= 16) {
            const bool last = tier >= keys.size();
            m_tiers.push_back(*KeyAutomaton::build(keys.first(last ? keys.size() : tier)));
            if (last)
                break;
        }
    }
    std::optional<qsizetype> firstContained(QStringView text) const
    {
        for (const KeyAutomaton &tier : m_tiers) {
            if (std::optional<qsizetype> entry = tier.firstContained(text))
                return entry;
        }
        return std::nullopt;
    }
    size_t memoryBytes() const
    {
        size_t bytes = 0;
        for (const KeyAutomaton &tier : m_tiers)
            bytes += tier.memoryBytes();
        return bytes;
    }

private:
    std::vector<KeyAutomaton> m_tiers;
};

const KnowledgeBase &defaultKnowledge()
{
    static const KnowledgeBase kb =
        *KnowledgeBase::parse(*KnowledgeFile::firstRunBytes(QStringLiteral("zu")));
    return kb;
}

// One generated table, loaded the way the program loads a file, with its index and messages.
struct Setup
{
    qsizetype fileBytes = 0;
    QByteArray bytes;
    KnowledgeBase kb;
    std::unique_ptr<ReplyIndex> index;
    // The table's keys, and both layouts of the key automata over them.
    std::vector<QStringView> keys;
    std::unique_ptr<KeyAutomaton> single;
    std::unique_ptr<TieredAutomata> tiered;
    QStringList shortMessages; // 10 characters
    QStringList kiloMessages;  // 1,024 characters
    QString megaMessage;       // 1,048,576 characters
    // 1,024 characters that hold no key but the last entry's: the scan's worst case.
    QStringList lastKeyMessages;
    int lastKeyEntry = -1;

    // The same table as teaching saves it, in sorted order, loaded again; and that file.
    KnowledgeBase sorted;
    QString sortedPath;
    QString sortedText; // the whole file decoded
};

QTemporaryDir &workDirectory()
{
    static QTemporaryDir dir;
    return dir;
}

std::unique_ptr<Setup> makeSetup(int entries)
{
    auto setup = std::make_unique<Setup>();
    Generator gen(defaultKnowledge(), quint32(entries));
    QByteArray head = *KnowledgeFile::firstRunBytes(QStringLiteral("zu"));
    head.truncate(defaultKnowledge().headBytes.size());
    QString table = QStringLiteral("\r\n");
    QStringList keys;
    for (int i = 0; i < entries; ++i) {
        const QString entry = gen.entry();
        keys << KnowledgeEntry::key(entry).toString();
        table += u'|' + entry + QStringLiteral("\r\n");
    }
    const QByteArray bytes = head + *GbkCodec::encode(table);
    setup->fileBytes = bytes.size();
    setup->bytes = bytes;
    setup->kb = *KnowledgeBase::parse(bytes);
    setup->index = std::make_unique<ReplyIndex>(*ReplyIndex::build(setup->kb));
    for (const QStringView entry : setup->kb.keywordTable)
        setup->keys.push_back(KnowledgeEntry::key(entry));
    setup->single = std::make_unique<KeyAutomaton>(*KeyAutomaton::build(setup->keys));
    setup->tiered = std::make_unique<TieredAutomata>(setup->keys);
    gen.keepSentencesWithoutKeys(*setup->index);
    for (int i = 0; i < MessageCount; ++i) {
        setup->shortMessages << gen.message(keys, 10);
        setup->kiloMessages << gen.message(keys, 1024);
    }
    setup->megaMessage = gen.message(keys, 1 << 20);

    {
        TeachingList list;
        list.setEntries(setup->kb.keywordTable);
        const TeachingList::Snapshot sorted = list.snapshot();
        const QByteArray sortedBytes = *KnowledgeFile::teachingSaveBytes(
            setup->kb, sorted.size(), [&sorted](qsizetype row) { return sorted.at(row); });
        setup->sorted = *KnowledgeBase::parse(sortedBytes);
        setup->sortedText = GbkCodec::decode(sortedBytes);
        setup->sortedPath = workDirectory().filePath(QStringLiteral("Data%1.ait").arg(entries));
        if (!KnowledgeFile::write(setup->sortedPath, sortedBytes))
            qFatal("cannot write the generated file");
    }

    // The latest entry whose key no earlier key is part of: usually the very last one.
    for (int e = entries - 1; e >= 0 && setup->lastKeyEntry < 0; --e) {
        const QString message = gen.message({}, 1024 - keys.at(e).size()) + keys.at(e);
        if (setup->index->firstEntry(message) == e)
            setup->lastKeyEntry = e;
    }
    while (setup->lastKeyMessages.size() < 8) {
        const QString key = keys.at(setup->lastKeyEntry);
        const QString message = gen.message({}, 1024 - key.size()) + key;
        if (setup->index->firstEntry(message) == setup->lastKeyEntry)
            setup->lastKeyMessages << message;
    }
    return setup;
}

std::map<int, std::unique_ptr<Setup>> setups;

void replyAll(benchmark::State &state, const Setup &setup, const QStringList &messages,
              bool useIndex)
{
    FixedRandom random;
    qsizetype i = 0;
    for (auto _ : state) {
        QString pending = messages.at(i++ % messages.size());
        benchmark::DoNotOptimize(ReplyEngine::respond(pending, setup.kb, RobotName, random,
                                                      useIndex ? setup.index.get() : nullptr));
    }
}

template <typename Automata>
void firstAll(benchmark::State &state, const Automata &automata, const QStringList &messages)
{
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(automata.firstContained(messages.at(i++ % messages.size())));
}

// Medians of the repetitions, by benchmark name, in seconds.
class Collector : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> medians;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
    }
};

std::string name(const char *what, int entries)
{
    return std::string(what) + "/" + std::to_string(entries);
}

void registerFigures(int entries)
{
    const Setup &s = *setups.at(entries);
    const auto add = [&](const char *what, auto &&fn) {
        return benchmark::RegisterBenchmark(name(what, entries).c_str(), fn)
            ->Repetitions(entries >= 1'000'000 ? 5
                          : entries >= 100'000 ? 7
                                               : 15)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMicrosecond);
    };
    add("reply10", [&s](benchmark::State &st) { replyAll(st, s, s.shortMessages, true); });
    add("reply1k", [&s](benchmark::State &st) { replyAll(st, s, s.kiloMessages, true); });
    add("scan1k", [&s](benchmark::State &st) {
        replyAll(st, s, s.kiloMessages, false);
    })->MinTime(0.2);
    add("replyLast1k", [&s](benchmark::State &st) { replyAll(st, s, s.lastKeyMessages, true); });
    add("scanLast1k", [&s](benchmark::State &st) {
        replyAll(st, s, s.lastKeyMessages, false);
    })->MinTime(0.2);
    add("reply1M", [&s](benchmark::State &st) {
        FixedRandom random;
        for (auto _ : st) {
            QString pending = s.megaMessage;
            benchmark::DoNotOptimize(
                ReplyEngine::respond(pending, s.kb, RobotName, random, s.index.get()));
        }
    });
    add("normalise1M", [&s](benchmark::State &st) {
        for (auto _ : st)
            benchmark::DoNotOptimize(TextRules::normalise(s.megaMessage));
    });
    add("enterTeaching", [&s](benchmark::State &st) {
        for (auto _ : st) {
            TeachingList list;
            list.setEntries(s.sorted.keywordTable);
            benchmark::DoNotOptimize(list.count());
        }
    });
    add("readDecode", [&s](benchmark::State &st) {
        for (auto _ : st) {
            QFile file(s.sortedPath);
            if (!file.open(QIODevice::ReadOnly))
                qFatal("cannot read the generated file");
            benchmark::DoNotOptimize(GbkCodec::decode(file.readAll()));
        }
    });
    add("load", [&s](benchmark::State &st) {
        for (auto _ : st)
            benchmark::DoNotOptimize(KnowledgeFile::load(s.sortedPath));
    });
    add("save", [&s](benchmark::State &st) {
        // The save as teaching runs it: the file locked and checked, the new one written beside
        // it, checked again and swapped in.
        FileStamp known = *KnowledgeFile::stampOf(s.sortedPath);
        const auto compose = [&s](const KnowledgeFile::Loaded *changed) {
            if (changed)
                qFatal("the generated file changed under the benchmark");
            return Result<CheckedReplace::Content>(CheckedReplace::Content{
                *KnowledgeFile::teachingSaveBytes(s.sorted, s.sorted.keywordTable)});
        };
        for (auto _ : st) {
            const CheckedReplace::Done done = CheckedReplace::replace(s.sortedPath, known, compose);
            if (!done.stamp)
                qFatal("the generated file could not be saved");
            known = *done.stamp;
        }
    });
    add("encodeWrite", [&s](benchmark::State &st) {
        // The bare work of any safe save: encode, write a file beside the old one, put it on the
        // disk and rename it over the old one; no lock, no checks.
        const QByteArray path = QFile::encodeName(s.sortedPath);
        const QByteArray temporary = path + ".bare";
        for (auto _ : st) {
            const QByteArray bytes = *GbkCodec::encode(s.sortedText);
            const int fd =
                ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() ||
                ::fsync(fd) != 0 || ::close(fd) != 0 ||
                ::rename(temporary.constData(), path.constData()) != 0)
                qFatal("the generated file could not be written");
        }
    });
    add("build", [&s](benchmark::State &st) {
        for (auto _ : st)
            benchmark::DoNotOptimize(ReplyIndex::build(s.kb));
    })->Iterations(1);
    const std::pair<const char *, const QStringList *> lookups[] = {
        {"10", &s.shortMessages}, {"1k", &s.kiloMessages}, {"Last1k", &s.lastKeyMessages}};
    for (const auto &lookup : lookups) {
        const QStringList *messages = lookup.second;
        add(("firstSingle" + std::string(lookup.first)).c_str(),
            [&s, messages](benchmark::State &st) { firstAll(st, *s.single, *messages); });
        add(("firstTiered" + std::string(lookup.first)).c_str(),
            [&s, messages](benchmark::State &st) { firstAll(st, *s.tiered, *messages); });
    }
    add("buildSingle", [&s](benchmark::State &st) {
        for (auto _ : st)
            benchmark::DoNotOptimize(KeyAutomaton::build(s.keys));
    })->Iterations(1);
    add("buildTiered", [&s](benchmark::State &st) {
        for (auto _ : st)
            benchmark::DoNotOptimize(TieredAutomata(s.keys));
    })->Iterations(1);
    add("parse", [&s](benchmark::State &st) {
        const QByteArray bytes = s.bytes;
        for (auto _ : st)
            benchmark::DoNotOptimize(KnowledgeBase::parse(bytes));
    })->Iterations(1);
}

QString figure(double seconds)
{
    if (seconds >= 1)
        return QString::number(seconds, 'f', 2) + QStringLiteral(" s");
    if (seconds >= 1e-3)
        return QString::number(seconds * 1e3, 'f', 2) + QStringLiteral(" ms");
    return QString::number(seconds * 1e6, 'f', 2) + QStringLiteral(" µs");
}

void printRow(const QString &what, const QString &value, const QString &baselineWhat,
              const QString &baseline, double ratio, const QString &goal)
{
    std::printf("| %s | %s | %s | %s | %s | %s |\n", qPrintable(what), qPrintable(value),
                qPrintable(baselineWhat), qPrintable(baseline),
                qPrintable(QString::number(ratio, 'g', 4)), qPrintable(goal));
}

QString entriesText(int entries)
{
    return QLocale(QLocale::English).toString(entries);
}

void printTable(const std::vector<int> &sizes, const std::map<std::string, double> &m)
{
    // A figure left out by --benchmark_filter is NaN, and so is every ratio made with it.
    const auto at = [&m](const char *what, int entries) {
        const auto found = m.find(name(what, entries));
        return found == m.end() ? std::nan("") : found->second;
    };
    const int small = sizes.front();
    std::printf("\n| figure | value | baseline | baseline value | ratio | goal |\n"
                "|---|---|---|---|---|---|\n");
    const std::pair<const char *, QString> replies[] = {
        {"reply10", QStringLiteral("reply, 10-char message")},
        {"reply1k", QStringLiteral("reply, 1 KB message")},
        {"replyLast1k", QStringLiteral("reply, 1 KB message matching only a last entry")},
    };
    for (const auto &[what, label] : replies) {
        for (int n : sizes) {
            if (n == small)
                continue;
            printRow(label + QStringLiteral(" at %1").arg(entriesText(n)), figure(at(what, n)),
                     QStringLiteral("same at %1").arg(entriesText(small)), figure(at(what, small)),
                     at(what, n) / at(what, small), QStringLiteral("≤ 3"));
        }
    }
    for (int n : sizes) {
        printRow(QStringLiteral("scan, 1 KB message at %1").arg(entriesText(n)),
                 figure(at("scan1k", n)), QStringLiteral("reply by the index"),
                 figure(at("reply1k", n)), at("scan1k", n) / at("reply1k", n),
                 n >= 1'000'000 ? QStringLiteral("≥ 1000") : QString());
    }
    for (int n : sizes) {
        printRow(QStringLiteral("scan, 1 KB message matching only entry %1 of %2")
                     .arg(entriesText(setups.at(n)->lastKeyEntry + 1), entriesText(n)),
                 figure(at("scanLast1k", n)), QStringLiteral("reply by the index"),
                 figure(at("replyLast1k", n)), at("scanLast1k", n) / at("replyLast1k", n),
                 n >= 1'000'000 ? QStringLiteral("≥ 1000") : QString());
    }
    for (int n : sizes) {
        printRow(QStringLiteral("1 MB message, whole reply at %1").arg(entriesText(n)),
                 figure(at("reply1M", n)), QStringLiteral("normalising it"),
                 figure(at("normalise1M", n)), at("reply1M", n) / at("normalise1M", n),
                 QStringLiteral("≤ 10"));
    }
    for (int n : sizes) {
        printRow(QStringLiteral("entering teaching, sorted table of %1").arg(entriesText(n)),
                 figure(at("enterTeaching", n)), QStringLiteral("reading and decoding the file"),
                 figure(at("readDecode", n)), at("enterTeaching", n) / at("readDecode", n),
                 QStringLiteral("≤ 1"));
    }
    for (int n : sizes) {
        printRow(QStringLiteral("loading, %1").arg(entriesText(n)), figure(at("load", n)),
                 QStringLiteral("reading and decoding the file"), figure(at("readDecode", n)),
                 at("load", n) / at("readDecode", n), QStringLiteral("≤ 1.5"));
    }
    for (int n : sizes) {
        printRow(QStringLiteral("saving from teaching, %1").arg(entriesText(n)),
                 figure(at("save", n)), QStringLiteral("encoding and writing alone"),
                 figure(at("encodeWrite", n)), at("save", n) / at("encodeWrite", n),
                 QStringLiteral("≤ 1.5"));
    }
    for (int n : sizes) {
        printRow(QStringLiteral("building the index at %1").arg(entriesText(n)),
                 figure(at("build", n)), QStringLiteral("parsing the file"), figure(at("parse", n)),
                 at("build", n) / at("parse", n), QStringLiteral("(on a worker)"));
    }
    // One automaton over every key against the tiers it replaced: it stays only while it is
    // at least as fast at every size.
    // Up to the first tier's size the tiers are that very automaton, so only noise parts them.
    const auto oneTierOnly = [](int n) { return n <= 1024; };
    const std::pair<const char *, QString> firsts[] = {
        {"10", QStringLiteral("10-char message")},
        {"1k", QStringLiteral("1 KB message")},
        {"Last1k", QStringLiteral("1 KB message matching only a last entry")},
    };
    for (const auto &[suffix, label] : firsts) {
        const std::string single = "firstSingle" + std::string(suffix);
        const std::string tiered = "firstTiered" + std::string(suffix);
        for (int n : sizes) {
            printRow(
                QStringLiteral("first match, %1, one automaton at %2").arg(label, entriesText(n)),
                figure(at(single.c_str(), n)), QStringLiteral("tiered automata"),
                figure(at(tiered.c_str(), n)), at(single.c_str(), n) / at(tiered.c_str(), n),
                oneTierOnly(n) ? QStringLiteral("≈ 1 (one tier)") : QStringLiteral("≤ 1"));
        }
    }
    for (int n : sizes) {
        printRow(QStringLiteral("building one automaton at %1").arg(entriesText(n)),
                 figure(at("buildSingle", n)), QStringLiteral("building tiered automata"),
                 figure(at("buildTiered", n)), at("buildSingle", n) / at("buildTiered", n),
                 oneTierOnly(n) ? QStringLiteral("≈ 1 (one tier)") : QStringLiteral("≤ 1"));
    }
    for (int n : sizes) {
        const Setup &s = *setups.at(n);
        const auto megabytes = [](size_t bytes) {
            return QStringLiteral("%1 MB").arg(double(bytes) / 1e6, 0, 'f', 1);
        };
        printRow(QStringLiteral("one automaton's memory at %1").arg(entriesText(n)),
                 megabytes(s.single->memoryBytes()), QStringLiteral("tiered automata"),
                 megabytes(s.tiered->memoryBytes()),
                 double(s.single->memoryBytes()) / double(s.tiered->memoryBytes()),
                 QStringLiteral("≤ 1"));
    }
    for (int n : sizes) {
        const Setup &s = *setups.at(n);
        printRow(QStringLiteral("index memory at %1").arg(entriesText(n)),
                 QStringLiteral("%1 MB").arg(double(s.index->memoryBytes()) / 1e6, 0, 'f', 1),
                 QStringLiteral("file size"),
                 QStringLiteral("%1 MB").arg(double(s.fileBytes) / 1e6, 0, 'f', 1),
                 double(s.index->memoryBytes()) / double(s.fileBytes), QString());
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<int> sizes{465, 100'000, 1'000'000};
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--sizes=", 0) == 0) {
            sizes.clear();
            for (const QString &n : QString::fromStdString(arg.substr(8)).split(u','))
                sizes.push_back(n.toInt());
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());

    for (int n : sizes) {
        std::fprintf(stderr, "generating %d entries...\n", n);
        setups[n] = makeSetup(n);
        registerFigures(n);
    }
    // A start finds a file written long before; the load also checks the bytes of one written
    // moments ago.
    QThread::sleep(4);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    printTable(sizes, collector.medians);
    benchmark::Shutdown();
    return 0;
}
