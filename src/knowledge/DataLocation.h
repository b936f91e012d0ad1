// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Where Data.ait lives: beside the executable, or, for an installed copy whose directory the
// user cannot write, in the user's application data directory. A packaged copy always uses the
// per-user directory, so that nothing is ever written under /usr, not even by root.

#include <QString>
#include <QStringList>

namespace DataLocation {

enum class Placement
{
    // A portable copy: beside the executable when it holds Data.ait or can take it.
    BesideProgramFirst,
    // An installed package: the per-user directory only.
    PerUserOnly,
};

// The directory to keep Data.ait in, or an empty string when no usable place exists.
// appDataDir is the per-user fallback (created when needed).
QString choose(const QString &executableDir, const QString &appDataDir,
               Placement placement = Placement::BesideProgramFirst);

// The directories where Data.ait is looked for, in the order choose() looks: never created or
// written, so a reader that must change nothing can find the file the window would use.
QStringList lookIn(const QString &executableDir, const QString &appDataDir,
                   Placement placement = Placement::BesideProgramFirst);

// Makes a directory the user named ready to hold Data.ait, creating it and its parents when
// missing. Returns an empty string, or why the directory cannot be used, in words for the user.
QString prepare(const QString &dir);

} // namespace DataLocation
