// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What a typed message must be before the robot reads it, for the window and the console
// alike: not blank, and no longer than a message may be; and the words that say so.

#include <QString>

namespace MessageIntake {

// A pasted mebibyte is still one message; far beyond that, a paste is a mistake that would hold
// the window for seconds.
inline constexpr qsizetype LongestMessage = 1'500'000;

enum class Verdict
{
    Message,
    Blank,   // only spaces, or nothing at all
    TooLong, // over LongestMessage
};
Verdict judge(const QString &typed);

// Said (not written) when a blank message is sent.
QString blankWarning();

// How a text too long for a message arrived.
enum class Arrival
{
    Typed,
    Pasted,
    Dropped
};
// Why a text of incoming characters is refused when kept characters are already waiting to be
// sent, and what to do instead.
QString tooLongNotice(qsizetype incoming, Arrival arrival, qsizetype kept = 0);

} // namespace MessageIntake
