// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/ShadowHint.h"

#include "conversation/ChatCommands.h"
#include "conversation/CrisisCare.h"
#include "teaching/TeachingList.h"

namespace ShadowHint {

namespace {

// The key of the entry before row that every message holding key reaches first: the earliest
// of the entries whose key is a part of key. Empty when there is none.
std::optional<QString> earlierContainedKey(QStringView key, int row, const TeachingList &list)
{
    int firstRow = row;
    QStringView found;
    // The empty key, possible in a hand-edited file, is part of every key.
    for (qsizetype length = 0; length < key.size(); ++length) {
        for (qsizetype start = 0; start + length <= key.size(); ++start) {
            const QStringView part = key.mid(start, length);
            const int partRow = list.findKey(part);
            if (partRow >= 0 && partRow < firstRow) {
                firstRow = partRow;
                found = part;
            }
            if (length == 0)
                break;
        }
    }
    if (firstRow == row)
        return std::nullopt;
    return found.toString();
}

} // namespace

QString forEntry(const QString &key, int row, const TeachingList &list, const QString &robotName)
{
    if (key.size() > LongestKeyChecked)
        return {};
    if (ChatCommands::match(key) != ChatCommand::None)
        return QStringLiteral("提示：“%1”是命令，发这条消息会执行命令，用不到这条回复。").arg(key);
    if (key.startsWith(QStringLiteral("计算")))
        return QStringLiteral("提示：以“计算”开头的消息会交给计算器，用不到这条回复。");
    if (CrisisCare::concerns(key))
        return QStringLiteral("提示：含有“%1”的消息会得到关怀的回答，用不到这条回复。").arg(key);
    if (!robotName.isEmpty() && key.contains(robotName)) {
        return QStringLiteral("提示：消息里的“%1”会先换成“[rob]”，含有“%1”的关键字不会被找到。")
            .arg(robotName);
    }
    if (const std::optional<QString> earlier = earlierContainedKey(key, row, list)) {
        return QStringLiteral("提示：含有“%1”的消息会先由“%2”回答。")
            .arg(key, earlier->isEmpty() ? QStringLiteral("（空关键字）") : *earlier);
    }
    return {};
}

} // namespace ShadowHint
