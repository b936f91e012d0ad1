// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/MessageIntake.h"

#include "common/TextRules.h"

#include <QLocale>
#include <algorithm>

namespace MessageIntake {

namespace {

// A number of characters as a notice shows it, its digits grouped.
QString count(qsizetype characters)
{
    return QLocale(QLocale::Chinese, QLocale::China).toString(qint64(characters));
}

} // namespace

Verdict judge(const QString &typed)
{
    if (TextRules::isBlank(typed))
        return Verdict::Blank;
    return typed.size() > LongestMessage ? Verdict::TooLong : Verdict::Message;
}

QString blankWarning()
{
    return QStringLiteral("注意：请不要发送空白内容");
}

QString tooLongNotice(qsizetype incoming, Arrival arrival, qsizetype kept)
{
    const qsizetype room = std::max<qsizetype>(0, LongestMessage - kept);
    const QString what = arrival == Arrival::Pasted    ? QStringLiteral("粘贴的内容")
                         : arrival == Arrival::Dropped ? QStringLiteral("拖进来的内容")
                                                       : QStringLiteral("输入的内容");
    QString notice = QStringLiteral("%1太长了（约 %2 字）。一条消息最多 %3 字")
                         .arg(what, count(incoming), count(LongestMessage));
    if (kept > 0 && room == 0)
        notice += QStringLiteral("，输入框已经满了，请先发送已有的内容。");
    else if (kept > 0)
        notice += QStringLiteral("，输入框里还能放 %1 字，请分几次发送。").arg(count(room));
    else
        notice += QStringLiteral("，请分几次发送。");
    if (arrival == Arrival::Pasted)
        notice += QStringLiteral("内容还在剪贴板里。");
    return notice;
}

} // namespace MessageIntake
