// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/TeachingMerge.h"

#include "knowledge/KnowledgeBase.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

// The first entry of table for each of keys, without its line end; a key it lacks is absent.
QHash<QString, QStringView> firstEntries(const KeywordTable &table, const QSet<QString> &keys)
{
    QHash<QString, QStringView> found;
    for (const QStringView entry : table) {
        const QString key = KnowledgeEntry::key(entry).toString();
        if (keys.contains(key) && !found.contains(key))
            found.insert(key, KnowledgeEntry::withoutLineEnd(entry));
    }
    return found;
}

} // namespace

namespace TeachingMerge {

Merged onto(const KeywordTable &base, const KeywordTable &current, const QStringList &commits,
            const KeyCollator &collator)
{
    // The same list and the same commit rules as the window's teaching list: the file comes out
    // as it would have, had the commits been made on it in the first place.
    TeachingList list;
    list.adopt(TeachingList::prepare(current, collator));
    QStringList committedKeys; // in the order first committed
    for (const QString &entry : commits) {
        const QString key = TeachingList::keyOf(entry);
        if (!committedKeys.contains(key))
            committedKeys.append(key);
        const int row = list.findKey(key);
        if (row >= 0)
            list.replaceEntry(row, entry);
        else
            list.insertEntry(entry);
    }

    Merged merged;
    const QSet<QString> keys(committedKeys.cbegin(), committedKeys.cend());
    const QHash<QString, QStringView> before = firstEntries(base, keys);
    const QHash<QString, QStringView> now = firstEntries(current, keys);
    merged.kept = current.size();
    for (const QString &key : std::as_const(committedKeys)) {
        if (now.contains(key))
            --merged.kept; // each key replaces the first entry that has it
        if (before.value(key) != now.value(key) || before.contains(key) != now.contains(key))
            merged.bothChanged.append(key);
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
