// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The console's command line: where the knowledge comes from, batch or interactive, and what
// holds a run still so that it can be repeated (the seed and the clock).

#include "app/CommandLine.h"
#include "knowledge/DataLocation.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace ConsoleOptions {

struct Request
{
    using Action = CommandLine::Request::Action;
    Action action = Action::Run;
    // Why the command line is refused, in words for the user.
    QString error;

    std::optional<QString> dataDir;
    bool builtInKnowledge = false; // --default
    bool batch = false;            // --tsv: batch even on a terminal
    bool header = false;
    bool allReplies = false;
    bool speak = false;
    std::optional<quint64> seed;
    std::optional<QDateTime> now;
};

// Reads the arguments, the program's name first.
Request read(const QStringList &arguments);

// The text --help prints; perUserDir as for the window's --help.
QString helpText(DataLocation::Placement placement, const QString &perUserDir);

} // namespace ConsoleOptions
