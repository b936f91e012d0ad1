// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// When Data.ait cannot be written at the end of teaching, the user decides the way out: stay in
// teaching mode and try again later, keep the work in a copy saved elsewhere, or give it up.

#include "knowledge/KnowledgeFile.h"

#include <QString>

struct FrmMainSeams;

namespace SaveFailure {

struct Decision
{
    enum class Choice
    {
        Stay,
        SaveElsewhere, // to file
        Discard,       // confirmed by the user
    };
    Choice choice = Choice::Stay;
    // Where to save elsewhere, as it stood when chosen: a link chosen leads to its file, and no
    // link put there later is followed.
    KnowledgeFile::Chosen file;
};

// Shows the failure box for dataPath until the user settles on a way out. Saving elsewhere is
// offered only when there is something to save. closing: the user was closing the program, not
// only leaving teaching, and the words say so.
Decision ask(const FrmMainSeams &seams, const QString &dataPath, const QString &reason,
             bool canSaveElsewhere, bool closing);

// Where the save dialog starts: a folder that exists, and never the one of dataPath.
QString suggestedFolder(const QString &dataPath);

// What the user is told once the copy elsewhere is written, or why it was not.
void tellSavedElsewhere(const FrmMainSeams &seams, const QString &path);
void tellNotSavedElsewhere(const FrmMainSeams &seams, const QString &path, const QString &reason);

} // namespace SaveFailure
