// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// A save after another program changed the file: the input describes a base table, what the
// other program did to it (rows kept, rewritten, dropped, added) and this session's commits.
// Whatever they are, the merge holds every commit, and every entry of the changed file that no
// commit replaced, as often as the file held it.

#include "FuzzCheck.h"
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
    QStringList commits;
    for (int n = in.next() % 6; n > 0; --n)
        commits += in.entry();

    static const KeyCollator collator;
    const TeachingMerge::Merged merged = TeachingMerge::onto(
        KeywordTable::fromEntries(base), KeywordTable::fromEntries(current), commits, collator);

    // The newest commit of each key is what its key answers with.
    QHash<QString, QString> newest;
    for (const QString &commit : std::as_const(commits))
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
    qsizetype untouched = 0;
    for (const QString &entry : std::as_const(current)) {
        if (!newest.contains(KnowledgeEntry::key(entry).toString())) {
            ++expected[entry];
            ++untouched;
        }
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        require(std::count(result.cbegin(), result.cend(), it.key()) == it.value(),
                "the other program's entries no commit replaced are kept");
    }
    // Of a key's entries in the file, only the first is replaced: the rest stay.
    require(merged.kept >= untouched, "the kept count covers every untouched entry");
    require(result.size() == current.size() + (newest.size() - (current.size() - merged.kept)),
            "the table grows by the keys the file did not have");
    return 0;
}
