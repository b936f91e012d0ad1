// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The console's batch mode: one message per input line, one tab-separated line of output per
// message, for scripts and evaluations.

#include <QString>
#include <QStringView>
#include <cstdio>

class ConsoleChat;

namespace BatchRun {

struct Options
{
    bool header = false;
    bool allReplies = false;
};

// "\n", "\t" and "\\" in an input line stand for a line end, a tab and a backslash, so that a
// paragraph fits on one line; any other backslash is kept as it is.
QString unescape(QStringView line);
// A column's text with backslash, tab, CR and LF written as "\\", "\t", "\r" and "\n".
QString escape(QStringView text);

// Answers every line of in on out; input that is not UTF-8 is replaced and reported on err with
// its line number. Returns the exit status: 0, or 1 when the output could not be written.
int run(FILE *in, FILE *out, FILE *err, ConsoleChat &chat, const Options &options);

} // namespace BatchRun
