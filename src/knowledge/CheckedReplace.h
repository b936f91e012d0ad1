// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Replacing Data.ait at the end of teaching as one critical section: lock the file itself, check
// it is still the file this window read, compose what to write (merging when it changed), write a
// temporary file beside it, check again, and swap it in. Everything happens through an open
// handle of the folder the file was read in, so a name swapped for a link meanwhile is never
// followed into someone else's file, and a change another program made at any step is merged
// again rather than lost.

#include "common/Result.h"
#include "knowledge/KnowledgeFile.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <sys/types.h>

namespace CheckedReplace {

// The points between the steps of a save where another program may act (tests and the fuzz
// target act there).
enum class Step
{
    Locked,   // the file is locked and about to be compared with the one read
    Composed, // the new content is made, not yet written
    Written,  // the temporary file is on disk, not yet checked again
    Checked,  // checked again, about to be swapped in
};

// What goes into the file: bytes, or nothing because the file as it is now should stay.
struct Content
{
    QByteArray bytes;
    bool leaveAsItIs = false;
};

// Gives the content to write. changed is null while the file is still the one the save knew;
// otherwise it is the file as it is now, read (or why it cannot be). Asked again whenever the file
// changes once more before the swap.
using Compose = std::function<Result<Content>(const KnowledgeFile::Loaded *changed)>;

struct Options
{
    KnowledgeFile::WriteFault fault;
    std::function<void(Step)> meanwhile;
};

struct Done
{
    Status written = Status(std::monostate());
    // False when nothing was written: a failure, or the content asked to leave the file be.
    bool replaced = false;
    // The file as written, for the next save to compare with.
    std::optional<FileStamp> stamp;
};

// known: the file as it was read (its stamp records which file it was and whether its name was a
// link). A name that was a link keeps leading to the same file; one that was not is never followed
// if it has become one.
Done replace(const QString &path, const FileStamp &known, const Compose &compose,
             const Options &options = {});

// Makes a new file at path holding bytes: written beside it through the folder's handle, on the
// disk, and only then given the name, and only if nothing has it by then. Whatever has it, a link
// too, is neither followed nor replaced: the write is refused in words. mode: the new file's
// permissions; none: what the umask leaves of 0666, as for any new file. fault stands in for the
// disk, as in a save.
Status create(const QString &path, const QByteArray &bytes, std::optional<mode_t> mode = {},
              const KnowledgeFile::WriteFault &fault = {});

// Temporary files of a save that a crash or a kill left beside the file at path: removed when no
// save holds the file. Returns how many.
int removeLeftovers(const QString &path);

} // namespace CheckedReplace
