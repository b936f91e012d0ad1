// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The seven slash commands a message can be, and the texts they say.

#include <QString>

enum class ChatCommand
{
    None,
    Help,
    Qqt,
    Clear,
    Teach,
    Exit,
    QqTalk,
    GetCode
};

namespace ChatCommands {

// The command the whole normalised message names, tested in the fixed order.
ChatCommand match(const QString &message);

// What the command says, or an empty string for the commands that say nothing.
QString reply(ChatCommand command);

QString helpText();

} // namespace ChatCommands
