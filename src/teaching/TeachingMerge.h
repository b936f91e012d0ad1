// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// When Data.ait was changed by another program while the user was teaching, the save does not
// write the table it loaded back over those changes: it takes the file as it is now and makes
// this session's commits on it again, in the order they were made. A commit replaces the row the
// user saw and changed; where that row was changed elsewhere meanwhile, the commit still wins,
// over the key's first row in the file, and the key is named.

#include "knowledge/KeywordTable.h"
#include "teaching/KeyCollator.h"
#include "teaching/TeachingList.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace TeachingMerge {

// One commit as the user made it.
struct Commit
{
    QString entry;    // with its line end
    QString replaced; // the row of the user's list it replaced; empty when the key was new there
};

struct Merged
{
    TeachingList::Snapshot entries; // the file's entries with the commits made on them
    qsizetype kept = 0;             // entries of the file that no commit replaced
    QStringList bothChanged;        // keys the other program and a commit both changed
};

// current: the table in the file now; commits: oldest first.
Merged onto(const KeywordTable &current, const QList<Commit> &commits, const KeyCollator &collator);

// What the user is told after such a save.
QString report(const Merged &merged);

} // namespace TeachingMerge
