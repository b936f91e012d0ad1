#include "conversation/RobotText.h"

#include <QRegularExpression>

namespace RobotText {

QStringList robotProfile()
{
    return QStringLiteral("|阿木|公的,帅哥|08年8月诞生|地球村,中国|lanke42|"
                          "我天生比较聪明,只要你教过我的东西,我一定会记住的!|"
                          "8264097hds 和 yunxiaoke")
        .split(u'|');
}

QStringList statusTexts()
{
    return QStringLiteral("| 已经回复消息| 向你发送消息|不明觉厉...（需要你来调教调教）|")
        .split(u'|');
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

QString normaliseMessage(const QString &typed)
{
    return QString(typed).remove(u' ').toLower();
}

bool isBlank(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

} // namespace RobotText
