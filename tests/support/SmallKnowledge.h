// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Knowledge files for tests, small enough to read in the test itself.

#include <QString>
#include <QStringList>

// "|name|" + CR LF, six lists and a table made of the given entries (without line ends).
inline QString knowledgeText(const QStringList &entries, const QString &name = QStringLiteral("zu"),
                             const QStringList &filterWords = {QStringLiteral("fuck"),
                                                               QStringLiteral("SB")})
{
    QString text = u'|' + name + QStringLiteral("|\r\n");
    const QStringList lists[] = {
        filterWords,
        {QStringLiteral("表说粗话好吗——"), QStringLiteral("[rob]最讨厌脏话了")},
        {QStringLiteral("你还好吧？"), QStringLiteral("心情如何？")},
        {QStringLiteral("今天是[day]"), QStringLiteral("现在是[time]")},
        {QStringLiteral("你在说什么？"), QStringLiteral("[rob]听不懂")},
        {QStringLiteral("嗨!你好!"), QStringLiteral("我是[rob]")},
    };
    for (const QStringList &list : lists) {
        text +=
            QStringLiteral("[AI_Dat]\r\n标题：\r\n|") + list.join(u'|') + QStringLiteral("|\r\n");
    }
    text += QStringLiteral("[AI_Dat]\r\n");
    for (const QString &entry : entries)
        text += u'|' + entry + QStringLiteral("\r\n");
    return text;
}
