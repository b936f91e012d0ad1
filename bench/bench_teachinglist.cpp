// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// How the teaching list copes with a keyword table of a million entries: filling it,
// looking a key up on every keystroke, and committing entries into it.

#include "teaching/KeyIndex.h"
#include "teaching/ShadowHint.h"
#include "teaching/TeachingList.h"

#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <bit>
#include <numeric>
#include <random>
#include <type_traits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int TableSize = 1'000'000;

// Keys like a real table's: mostly two to six Chinese characters, some Latin words, digits
// and emoticons; one to four replies each.
class EntryMaker
{
public:
    explicit EntryMaker(unsigned seed) : m_random(seed) {}

    QString key()
    {
        const int kind = pick(0, 9);
        if (kind < 7)
            return run(2, 6, 0x4E00, 0x9FA5);
        if (kind < 9)
            return run(2, 8, 'a', 'z');
        return run(1, 4, '0', '9') + u"^_^"_s;
    }

    QString entry(const QString &key)
    {
        QString text = key;
        for (int reply = pick(1, 4); reply > 0; --reply)
            text += u'\\' + run(4, 12, 0x4E00, 0x9FA5);
        return text + u"\\\r\n"_s;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    QString run(int shortest, int longest, char16_t first, char16_t last)
    {
        QString text;
        for (int length = pick(shortest, longest); length > 0; --length)
            text += QChar(char16_t(pick(first, last)));
        return text;
    }

    std::mt19937 m_random;
};

struct Table
{
    QStringList keys;
    QStringList entries;
};

const Table &table()
{
    static const Table made = [] {
        Table t;
        EntryMaker maker(1);
        t.keys.reserve(TableSize);
        t.entries.reserve(TableSize);
        for (int i = 0; i < TableSize; ++i) {
            t.keys << maker.key();
            t.entries << maker.entry(t.keys.last());
        }
        return t;
    }();
    return made;
}

TeachingList &filledList()
{
    static TeachingList *list = [] {
        auto *l = new TeachingList;
        l->setEntries(table().entries);
        return l;
    }();
    return *list;
}

void BM_SetEntries(benchmark::State &state)
{
    const QStringList &entries = table().entries;
    for (auto _ : state) {
        TeachingList list;
        list.setEntries(entries);
        benchmark::DoNotOptimize(list.count());
    }
    state.SetItemsProcessed(state.iterations() * entries.size());
}
BENCHMARK(BM_SetEntries)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindKey(benchmark::State &state)
{
    const TeachingList &list = filledList();
    const QStringList &keys = table().keys;
    qsizetype next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.findKey(keys.at(next)));
        next = (next + 7919) % keys.size();
    }
}
BENCHMARK(BM_FindKey);

void BM_FindMissingKey(benchmark::State &state)
{
    const TeachingList &list = filledList();
    const QString missing = u"这个关键字不在表里"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.findKey(missing));
}
BENCHMARK(BM_FindMissingKey);

void BM_InsertEntry(benchmark::State &state)
{
    TeachingList &list = filledList();
    EntryMaker maker(2);
    for (auto _ : state) {
        state.PauseTiming();
        const QString entry = maker.entry(maker.key());
        state.ResumeTiming();
        benchmark::DoNotOptimize(list.insertEntry(entry));
    }
}
BENCHMARK(BM_InsertEntry)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_ReplaceEntryWithNewKey(benchmark::State &state)
{
    TeachingList &list = filledList();
    EntryMaker maker(3);
    std::mt19937 random(4);
    for (auto _ : state) {
        state.PauseTiming();
        const QString entry = maker.entry(maker.key());
        const int row = std::uniform_int_distribution<int>(0, list.count() - 1)(random);
        state.ResumeTiming();
        list.replaceEntry(row, entry);
    }
}
BENCHMARK(BM_ReplaceEntryWithNewKey)->Unit(benchmark::kMicrosecond)->Iterations(2000);

// The hint after a commit, for a key of the table's usual length and for the longest key that
// still gets one; compare with BM_FindKey, the lookup of one key, in the same run.
void BM_ShadowHint(benchmark::State &state)
{
    const TeachingList &list = filledList();
    EntryMaker maker(5);
    QString key;
    while (key.size() < state.range(0))
        key += maker.key();
    key.truncate(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ShadowHint::forEntry(key, list.count(), list, u"阿木"_s));
}
BENCHMARK(BM_ShadowHint)->Arg(6)->Arg(ShadowHint::LongestKeyChecked)->Unit(benchmark::kMicrosecond);

// Typing keys of the table into the teaching panel, one character at a time: each keystroke
// looks the typed text up and works out its hint. Reports the median and the 99th percentile
// of a keystroke as ratios to one plain scan of as many ids as the list holds, measured in the
// same run (the machine is shared; a frame is 16 ms, the scan well under one millisecond).
void BM_Keystroke(benchmark::State &state)
{
    const TeachingList &list = filledList();
    const QStringList &keys = table().keys;
    const auto nanoseconds = [](const auto &work) {
        QElapsedTimer timer;
        timer.start();
        work();
        return double(timer.nsecsElapsed());
    };

    QList<quint32> ids(list.count());
    std::iota(ids.begin(), ids.end(), quint32(0));
    std::vector<double> scans;
    for (int i = 0; i < 101; ++i)
        scans.push_back(nanoseconds([&] { benchmark::DoNotOptimize(ids.indexOf(quint32(-1))); }));

    std::vector<double> strokes;
    qsizetype next = 0;
    for (auto _ : state) {
        const QString &key = keys.at(next);
        next = (next + 7919) % keys.size();
        for (qsizetype typed = 1; typed <= key.size(); ++typed) {
            const QString text = key.first(typed);
            strokes.push_back(nanoseconds([&] {
                const int row = list.findKey(text);
                benchmark::DoNotOptimize(
                    ShadowHint::forEntry(text, row < 0 ? list.count() : row, list, u"阿木"_s));
            }));
        }
    }
    const auto percentile = [](std::vector<double> values, double share) {
        std::sort(values.begin(), values.end());
        return values[size_t(share * double(values.size() - 1))];
    };
    const double scan = percentile(scans, 0.5);
    state.counters["scan_us"] = scan / 1e3;
    state.counters["median_us"] = percentile(strokes, 0.5) / 1e3;
    state.counters["p99_us"] = percentile(strokes, 0.99) / 1e3;
    state.counters["median_per_scan"] = percentile(strokes, 0.5) / scan;
    state.counters["p99_per_scan"] = percentile(strokes, 0.99) / scan;
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond)->Iterations(2000)->Repetitions(5);

// The key index as it was before a sorted vector replaced it, kept so that each run measures
// both: open addressing over a power of two of eight-byte slots, at most half of them in use.
class OpenAddressedKeys
{
public:
    void reserve(qsizetype count)
    {
        m_slots.assign(std::bit_ceil(std::max<size_t>(16, 2 * size_t(count))), Slot());
    }
    void insert(size_t hash, quint32 id)
    {
        const quint32 tag = tagOf(hash);
        const size_t mask = m_slots.size() - 1;
        size_t at = tag & mask;
        while (m_slots[at].id != Empty)
            at = (at + 1) & mask;
        m_slots[at] = {id, tag};
    }
    template <typename Visit> void forEachCandidate(size_t hash, Visit &&visit) const
    {
        const quint32 tag = tagOf(hash);
        const size_t mask = m_slots.size() - 1;
        for (size_t at = tag & mask; m_slots[at].id != Empty; at = (at + 1) & mask) {
            if (m_slots[at].tag == tag)
                visit(m_slots[at].id);
        }
    }
    size_t memoryBytes() const { return m_slots.size() * sizeof(Slot); }

private:
    static constexpr quint32 Empty = 0xFFFFFFFF;
    struct Slot
    {
        quint32 id = Empty;
        quint32 tag = 0;
    };
    static quint32 tagOf(size_t hash) { return quint32(hash ^ (quint64(hash) >> 32)); }
    std::vector<Slot> m_slots;
};

const std::vector<size_t> &keyHashes()
{
    static const std::vector<size_t> hashes = [] {
        std::vector<size_t> made;
        for (const QString &key : table().keys)
            made.push_back(qHash(key, QHashSeed::globalSeed()));
        return made;
    }();
    return hashes;
}

template <typename Keys> Keys keysOfTable()
{
    const std::vector<size_t> &hashes = keyHashes();
    if constexpr (std::is_same_v<Keys, KeyIndex>) {
        return KeyIndex::ofIds(quint32(hashes.size()),
                               [&hashes](quint32 id) { return hashes[id]; });
    } else {
        Keys keys;
        keys.reserve(qsizetype(hashes.size()));
        for (quint32 id = 0; id < hashes.size(); ++id)
            keys.insert(hashes[id], id);
        return keys;
    }
}

// Both key indexes over the table's keys: the time to fill one, and the memory it holds.
template <typename Keys> void BM_FillKeys(benchmark::State &state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        const Keys keys = keysOfTable<Keys>();
        bytes = keys.memoryBytes();
    }
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_FillKeys<OpenAddressedKeys>)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);
BENCHMARK(BM_FillKeys<KeyIndex>)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

// Both key indexes asked for the ids that may hold a key of the table.
template <typename Keys> void BM_KeyCandidates(benchmark::State &state)
{
    const Keys keys = keysOfTable<Keys>();
    const std::vector<size_t> &hashes = keyHashes();
    size_t next = 0;
    for (auto _ : state) {
        quint32 sum = 0;
        keys.forEachCandidate(hashes[next], [&sum](quint32 id) { sum += id; });
        benchmark::DoNotOptimize(sum);
        next = (next + 7919) % hashes.size();
    }
}
BENCHMARK(BM_KeyCandidates<OpenAddressedKeys>)->Repetitions(5);
BENCHMARK(BM_KeyCandidates<KeyIndex>)->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
