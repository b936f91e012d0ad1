// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// How a line the robot says is put into words: placeholders, dates and times in the user's
// locale, transcript headers and the status line.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace RobotText {

enum ReplyKind
{
    Replied = 1,
    OnItsOwn = 2,
    NotUnderstood = 3
};

// What the status line says after the robot's name once it has said a line of this kind.
QString statusText(ReplyKind kind);

// Date and time as the user's desktop writes them: the short date and the long time
// without a time-zone name (阿木 2014/9/5 6:43:55 on a Chinese desktop).
QString dateText(const QDateTime &when, const QLocale &locale = QLocale::system());
QString timeText(const QDateTime &when, const QLocale &locale = QLocale::system());

// The header line of a transcript entry: speaker, date and time, then CR LF.
QString transcriptHeader(const QString &speaker, const QDateTime &when);

// Fills in [rob], [msg], [day] and [time], in that order. A message that named the robot
// holds "[rob]" by the time a reply echoes it; it is shown with the name again.
QString expandPlaceholders(QString text, const QString &robotName, const QString &message,
                           const QDateTime &when);

} // namespace RobotText
