// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Rules on typed text that the conversation and teaching share: what makes a text blank, and
// the one form of a message or key that the robot ever compares.

#include <QString>

namespace TextRules {

// Spaces removed, letters lower-cased.
QString normalise(const QString &typed);

// Only spaces make a text blank: a line break or a tab is something the user typed.
bool isBlank(const QString &text);

// A character as a refusal names it: itself when it can be seen, its code point ("U+202E")
// when it cannot (direction marks, zero-width and other format characters, controls, spaces
// other than the plain one), for a message must not name something the user cannot find.
QString shown(const QString &character);

} // namespace TextRules
