// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// How much of a line the robot says. A reply in a hand-edited file can be any length, and
// laying out or speaking millions of characters would hold the window for seconds: the robot
// says the first part, and the transcript tells that the rest was left out.

#include <QString>

namespace SaidLine {

// Far above any line written for a conversation, and quick to lay out and to speak.
inline constexpr qsizetype LongestLine = 10'000;

// text itself when it fits; else its first LongestLine characters and a note of what was left.
QString bounded(const QString &text);

} // namespace SaidLine
