// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/ChatCommands.h"

#include <QStringList>
#include <array>
#include <utility>

namespace ChatCommands {

ChatCommand match(const QString &message)
{
    static const std::array<std::pair<const char16_t *, ChatCommand>, 7> commands{{
        {u"/help", ChatCommand::Help},
        {u"/qqt", ChatCommand::Qqt},
        {u"/clear", ChatCommand::Clear},
        {u"/teach", ChatCommand::Teach},
        {u"/exit", ChatCommand::Exit},
        {u"/qqtalk", ChatCommand::QqTalk},
        {u"/getcode", ChatCommand::GetCode},
    }};
    for (const auto &[name, command] : commands) {
        if (message == QStringView(name))
            return command;
    }
    return ChatCommand::None;
}

QString reply(ChatCommand command)
{
    switch (command) {
    case ChatCommand::Help:
        return helpText();
    case ChatCommand::Qqt:
        return QStringLiteral("不经意间你又被我玩了，哇哈哈哈哈o(^▽^)o");
    case ChatCommand::QqTalk:
        return QStringLiteral("程序猿都很忙啦，你直接更我聊天就行啦~ ←_←");
    case ChatCommand::GetCode:
        return QStringLiteral("这个，你自己到ZAz里去找吧←_←'");
    case ChatCommand::None:
    case ChatCommand::Clear:
    case ChatCommand::Teach:
    case ChatCommand::Exit:
        break;
    }
    return {};
}

QString helpText()
{
    return QStringList{
        QStringLiteral("[rob]告诉你怎么用："),        QStringLiteral("/help    显示帮助"),
        QStringLiteral("/teach   教[rob]说话"),       QStringLiteral("/exit    跟[rob]Say Goodbye"),
        QStringLiteral("/qqtalk  跟我的主人聊天←_←"), QStringLiteral("/getcode 索要我的源码0_0"),
        QStringLiteral("计算XX 进行四则混合运算"),    QStringLiteral("/clear 清屏"),
    }
        .join(QStringLiteral("\r\n"));
}

} // namespace ChatCommands
