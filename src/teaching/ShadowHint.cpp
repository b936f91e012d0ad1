// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/ShadowHint.h"

#include "conversation/ReplyEngine.h"
#include "knowledge/KnowledgeBase.h"
#include "teaching/TeachingList.h"

namespace ShadowHint {

namespace {

// The first row in list order whose key is a part of message: the row the reply engine would
// answer from once the list is saved. Each part is looked up, so the list needs no index of
// its own for this.
std::optional<qsizetype> firstRowHolding(QStringView message, const TeachingList &list)
{
    int first = -1;
    // The empty key, possible in a hand-edited file, is part of every message.
    for (qsizetype length = 0; length <= message.size(); ++length) {
        for (qsizetype start = 0; start + length <= message.size(); ++start) {
            const int row = list.findKey(message.mid(start, length));
            if (row >= 0 && (first < 0 || row < first))
                first = row;
            if (length == 0)
                break;
        }
    }
    if (first < 0)
        return std::nullopt;
    return first;
}

} // namespace

QString forEntry(const QString &key, int row, const TeachingList &list, const QString &robotName,
                 const QStringList &filterWords)
{
    if (key.size() > LongestKeyChecked)
        return {};
    KnowledgeBase lists;
    lists.filterWords = filterWords;
    QString message = key;
    const ReplyEngine::Route way =
        ReplyEngine::route(message, lists, robotName, nullptr,
                           [&list](QStringView text) { return firstRowHolding(text, list); });
    using Way = ReplyEngine::Route::Way;
    switch (way.way) {
    case Way::Command:
        return QStringLiteral("提示：“%1”是命令，发送它会执行命令，这条回复用不上。").arg(key);
    case Way::Calculator:
        return QStringLiteral("提示：以“计算”开头的消息会交给计算器，这条回复用不上。");
    case Way::Crisis:
        return QStringLiteral("提示：含有“%1”的消息会得到关心的回应，这条回复用不上。").arg(key);
    case Way::RudeWord:
        return QStringLiteral("提示：“%1”含有不良字眼，这样的消息只会得到劝告，这条回复用不上。")
            .arg(key);
    case Way::Entry:
        // The entry itself, or for one not committed yet, an entry after the place it will take.
        if (way.entry >= row)
            return {};
        break;
    case Way::NoAnswer:
        break;
    }
    if (way.nameReplaced && !robotName.isEmpty() && key.contains(robotName)) {
        return QStringLiteral("提示：消息里的“%1”会先换成“[rob]”，关键字里请写成“[rob]”。")
            .arg(robotName);
    }
    if (way.way != Way::Entry)
        return {};
    const QString earlier = TeachingList::keyOf(list.entryAt(int(way.entry)));
    return QStringLiteral("提示：含有“%1”的消息会先按关键字“%2”回答。")
        .arg(key, earlier.isEmpty() ? QStringLiteral("（空关键字）") : earlier);
}

} // namespace ShadowHint
