// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/TeachingMerge.h"

#include "knowledge/KnowledgeBase.h"

#include <QHash>
#include <algorithm>

namespace {

// The row holding the first entry with key in the file's own order (the order the reply engine
// answers in), or, once commits replaced those, the key's first row in the list.
int firstInFileOrder(const TeachingList &list, const KeywordTable &current, const QString &key)
{
    for (const QStringView entry : current) {
        if (KnowledgeEntry::key(entry) != key)
            continue;
        if (const int row = list.findEntry(entry); row >= 0)
            return row;
    }
    return list.findKey(key);
}

} // namespace

namespace TeachingMerge {

Merged onto(const KeywordTable &current, const QList<Commit> &commits, const KeyCollator &collator)
{
    // The same list and the same commit rules as the window's teaching list: the file comes out
    // as it would have, had the commits been made on it in the first place.
    TeachingList list;
    list.adopt(TeachingList::prepare(current, collator));
    Merged merged;
    merged.kept = current.size();
    // Rows the commits wrote, by text: replacing one of those takes nothing of the file's.
    QHash<QString, int> placed;
    for (const Commit &commit : commits) {
        const QString key = TeachingList::keyOf(commit.entry);
        int row = commit.replaced.isEmpty() ? -1 : list.findEntry(commit.replaced);
        if (row < 0) {
            // The row the user saw is gone, or the key was new to the user: the other program
            // changed this key too.
            row = firstInFileOrder(list, current, key);
            if ((row >= 0 || !commit.replaced.isEmpty()) && !merged.bothChanged.contains(key))
                merged.bothChanged.append(key);
        }
        if (row >= 0) {
            const QString old = KnowledgeEntry::withoutLineEnd(list.entryAt(row)).toString();
            if (auto it = placed.find(old); it != placed.end() && *it > 0)
                --*it;
            else
                --merged.kept;
            list.replaceEntry(row, commit.entry);
        } else {
            list.insertEntry(commit.entry);
        }
        ++placed[KnowledgeEntry::withoutLineEnd(commit.entry).toString()];
    }
    merged.entries = list.snapshot();
    return merged;
}

QString report(const Merged &merged)
{
    QString text =
        QStringLiteral("调教期间，数据文件 Data.ait 被别的程序改动过。\r"
                       "保存时，文件里其他的 %1 条数据原样保留，并加入了这次调教的内容。")
            .arg(merged.kept);
    if (!merged.bothChanged.isEmpty()) {
        // A long list would not fit a message box: the first ones and how many there are.
        constexpr qsizetype Shown = 20;
        text += QStringLiteral(
                    "\r下面这些关键字，别的程序和这次调教都改过，保存的是这次调教的内容：\r") +
                merged.bothChanged.first(std::min(Shown, merged.bothChanged.size()))
                    .join(QStringLiteral("、"));
        if (merged.bothChanged.size() > Shown)
            text += QStringLiteral("等，共 %1 个").arg(merged.bothChanged.size());
    }
    return text;
}

} // namespace TeachingMerge
