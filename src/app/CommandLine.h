// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The program's command line: --help and --version, answered before any window exists so that
// they work in a terminal with no display, and --data-dir. Qt's own options (-platform,
// -style, ...) are left for QApplication, which takes them out of the arguments.

#include "knowledge/DataLocation.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace CommandLine {

struct Request
{
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Refuse,
    };
    Action action = Action::Run;
    // The folder named by --data-dir, as given; none when the usual place is wanted.
    std::optional<QString> dataDir;
    // Why the command line is refused, in words for the user.
    QString error;
};

enum class Unknown
{
    // Before QApplication has seen the arguments: an option we do not know may be Qt's own,
    // and an argument that is not an option may be the value of one of Qt's.
    PassOn,
    // After QApplication took its options out: whatever is left over is a mistake.
    Refuse,
};

// Reads the arguments, the program's name first.
Request read(const QStringList &arguments, Unknown unknown);

// What the console's command line shares with the window's.
// A refused command line in words: the program, what is wrong, and where to read the usage.
QString refusal(const QString &program, const QString &what);
// What is wrong with what the parser did not know (an option, an argument); empty when nothing.
QString leftOver(const QCommandLineParser &parser);
// The lines of --help that say where Data.ait is when no --data-dir is given.
QString usualPlace(DataLocation::Placement placement, const QString &perUserDir);

// The text --help prints; perUserDir is where a packaged copy (or a portable one whose folder
// cannot be written) keeps Data.ait for the user running it.
QString helpText(DataLocation::Placement placement, const QString &perUserDir);

QString versionText();

} // namespace CommandLine
