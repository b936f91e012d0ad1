// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// A save after another program changed the file: the input describes a base table, what the
// other program did to it (rows kept, rewritten, dropped, added) and this session's commits.
// Whatever they are, the merge holds every commit, and every entry of the changed file that no
// commit replaced, as often as the file held it; of a key's copies, the one the user saw goes.

#include "FuzzCheck.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingMerge.h"

#include <QHash>
#include <algorithm>

namespace {

// Keys and replies from a small alphabet, so that keys collide often.
class Reader
{
public:
    Reader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_at >= m_size; }
    uint8_t next() { return atEnd() ? 0 : m_data[m_at++]; }
    QString word(int longest)
    {
        static const char16_t alphabet[] = u"ab你好吗？";
        const int length = 1 + next() % longest;
        QString word;
        for (int i = 0; i < length; ++i)
            word += QChar(alphabet[next() % 6]);
        return word;
    }
    QString entry() { return word(3) + u'\\' + word(4) + u'\\' + QStringLiteral("\r\n"); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

// The commits as the user made them on the list of base: each replaces the row the list showed
// for its key, or is added.
QList<TeachingMerge::Commit> commitsOn(const QStringList &base, const QStringList &entries,
                                       const KeyCollator &collator)
{
    TeachingList seen;
    seen.adopt(TeachingList::prepare(KeywordTable::fromEntries(base), collator));
    QList<TeachingMerge::Commit> commits;
    for (const QString &entry : entries) {
        const int row = seen.findKey(TeachingList::keyOf(entry));
        commits.append({entry, seen.entryAt(row)});
        if (row >= 0)
            seen.replaceEntry(row, entry);
        else
            seen.insertEntry(entry);
    }
    return commits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader in(data, size);
    QStringList base;
    for (int n = in.next() % 12; n > 0; --n)
        base += in.entry();
    QStringList current;
    for (const QString &entry : std::as_const(base)) {
        switch (in.next() % 4) {
        case 0: // dropped
            break;
        case 1: // rewritten
            current += in.entry();
            break;
        default:
            current += entry;
        }
    }
    for (int n = in.next() % 4; n > 0; --n)
        current.insert(in.next() % (current.size() + 1), in.entry());
    QStringList entries;
    for (int n = in.next() % 6; n > 0; --n)
        entries += in.entry();

    static const KeyCollator collator;
    const QList<TeachingMerge::Commit> commits = commitsOn(base, entries, collator);
    const TeachingMerge::Merged merged =
        TeachingMerge::onto(KeywordTable::fromEntries(current), commits, collator);

    // The newest commit of each key is what its key answers with.
    QHash<QString, QString> newest;
    for (const QString &commit : std::as_const(entries))
        newest.insert(KnowledgeEntry::key(commit).toString(), commit);
    QStringList result;
    for (qsizetype row = 0; row < merged.entries.size(); ++row)
        result += merged.entries.at(row).toString();
    for (auto it = newest.cbegin(); it != newest.cend(); ++it) {
        const auto rows = std::count(result.cbegin(), result.cend(), it.value());
        require(rows >= 1, "every commit is in the merged table");
    }
    // Every entry of the changed file whose key no commit touched is there, as often as before.
    QHash<QString, int> expected;
    for (const QString &entry : std::as_const(current)) {
        if (!newest.contains(KnowledgeEntry::key(entry).toString()))
            ++expected[entry];
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        require(std::count(result.cbegin(), result.cend(), it.key()) == it.value(),
                "the other program's entries no commit replaced are kept");
    }
    // Of a committed key's rows in the file, exactly one goes: the row the user saw, when the
    // file still has it, else the key's first row in file order; the others stay.
    for (auto it = newest.cbegin(); it != newest.cend(); ++it) {
        const QString &key = it.key();
        QStringList rows; // the file's rows of key, in file order
        for (const QString &entry : std::as_const(current)) {
            if (KnowledgeEntry::key(entry) == key)
                rows += entry;
        }
        if (rows.isEmpty())
            continue;
        QString seen;
        for (const TeachingMerge::Commit &commit : commits) {
            if (TeachingList::keyOf(commit.entry) == key) {
                seen = commit.replaced;
                break;
            }
        }
        const QString goes = rows.contains(seen) ? seen : rows.first();
        QHash<QString, int> stays;
        for (const QString &row : std::as_const(rows))
            ++stays[row];
        --stays[goes];
        for (auto stay = stays.cbegin(); stay != stays.cend(); ++stay) {
            const qsizetype extra = newest.value(key) == stay.key() ? 1 : 0;
            require(std::count(result.cbegin(), result.cend(), stay.key()) == stay.value() + extra,
                    "only the row the user saw (or, gone, the first in file order) is replaced");
        }
        if (!rows.contains(seen))
            require(merged.bothChanged.contains(key), "a key whose row changed elsewhere is named");
    }
    require(merged.kept ==
                current.size() - qsizetype(std::count_if(newest.cbegin(), newest.cend(),
                                                         [&](const QString &entry) {
                                                             for (const QString &row :
                                                                  std::as_const(current))
                                                                 if (KnowledgeEntry::key(row) ==
                                                                     KnowledgeEntry::key(entry))
                                                                     return true;
                                                             return false;
                                                         })),
            "the report's kept count is the file's rows less one per committed key it had");
    require(result.size() == current.size() + (newest.size() - (current.size() - merged.kept)),
            "the table grows by the keys the file did not have");
    return 0;
}
