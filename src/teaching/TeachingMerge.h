// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// When Data.ait was changed by another program while the user was teaching, the save does not
// write the table it loaded back over those changes: it takes the file as it is now and makes
// this session's commits on it again, in the order they were made. Where both changed one key,
// the commit wins.

#include "knowledge/KeywordTable.h"
#include "teaching/KeyCollator.h"
#include "teaching/TeachingList.h"

#include <QString>
#include <QStringList>

namespace TeachingMerge {

struct Merged
{
    TeachingList::Snapshot entries; // the file's entries with the commits made on them
    qsizetype kept = 0;             // entries of the file that no commit replaced
    QStringList bothChanged;        // keys the other program and a commit both changed
};

// base: the table as loaded when teaching began; current: the table in the file now;
// commits: the entries committed, each with its line end, oldest first.
Merged onto(const KeywordTable &base, const KeywordTable &current, const QStringList &commits,
            const KeyCollator &collator);

// What the user is told after such a save.
QString report(const Merged &merged);

} // namespace TeachingMerge
