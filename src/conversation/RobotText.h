#pragma once
// What the robot is (its profile and status texts) and how a line it says is put into words:
// placeholders, dates and times in the user's locale, and transcript headers.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace RobotText {

// "|name|sex|birth|from|author|remark|credits" split on "|": element 1 is the name.
QStringList robotProfile();
// Status suffixes indexed by the reply kind (1 to 3).
QStringList statusTexts();

enum ReplyKind
{
    Replied = 1,
    OnItsOwn = 2,
    NotUnderstood = 3
};

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

// Spaces removed, letters lower-cased: the only form of a message the robot ever compares.
QString normaliseMessage(const QString &typed);

// Only spaces make a text blank: a line break or a tab is something the user typed.
bool isBlank(const QString &text);

} // namespace RobotText
