// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/RobotText.h"

#include <QRegularExpression>

namespace RobotText {

QString statusText(ReplyKind kind)
{
    // The first two begin with a space, as they follow the robot's name; the third does not.
    static const QStringList texts =
        QStringLiteral(" 已经回复消息| 向你发送消息|不明觉厉...（需要你来调教调教）").split(u'|');
    return texts.at(kind - Replied);
}

QString dateText(const QDateTime &when, const QLocale &locale)
{
    return locale.toString(when.date(), QLocale::ShortFormat);
}

QString timeText(const QDateTime &when, const QLocale &locale)
{
    // Qt's long time form carries a time-zone name; the desktop's long time has none. Some
    // locales mark the time of day with "B", which Qt does not know: use its AM/PM text.
    static const QRegularExpression zone(QStringLiteral("\\s*\\[?t+\\]?\\s*"));
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(zone);
    format.replace(u'B', QStringLiteral("AP"));
    return locale.toString(when.time(), format.trimmed());
}

QString transcriptHeader(const QString &speaker, const QDateTime &when)
{
    return speaker + u' ' + dateText(when) + u' ' + timeText(when) + QStringLiteral("\r\n");
}

QString expandPlaceholders(QString text, const QString &robotName, const QString &message,
                           const QDateTime &when)
{
    const QString rob = QStringLiteral("[rob]");
    text.replace(rob, robotName);
    if (text.contains(QStringLiteral("[msg]")))
        text.replace(QStringLiteral("[msg]"), QString(message).replace(rob, robotName));
    text.replace(QStringLiteral("[day]"), dateText(when));
    text.replace(QStringLiteral("[time]"), timeText(when));
    return text;
}

} // namespace RobotText
