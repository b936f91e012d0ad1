// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// One conversation with 阿木 for the console: a typed message taken in as the window takes it,
// answered along the same reply road, its placeholders filled as the window fills them, and
// told together with the way it went (the route, the key, the entry's place in the table).

#include "conversation/ChatCommands.h"
#include "conversation/ReplyIndex.h"
#include "knowledge/KnowledgeBase.h"

#include <QString>
#include <QStringList>
#include <optional>

class Clock;
class RandomSource;
class Speaker;

struct ConsoleAnswer
{
    // command, calculator, care:now, care:self, care:helper, care:distress, rude, entry, no-answer,
    // blank or too-long.
    QString route;
    // The entry's key or the filter word found; empty for the other routes.
    QString key;
    // The entry's place in the table, from 1; 0 for the other routes.
    qsizetype row = 0;
    // What 阿木 says, placeholders filled; empty when it says nothing.
    QString reply;
    // Every line the same road could have said, filled the same way; only when asked for.
    QStringList lines;
    ChatCommand command = ChatCommand::None;
};

class ConsoleChat
{
public:
    // windowCommand is how this user opens the window on the same knowledge, for "/teach".
    ConsoleChat(KnowledgeBase knowledge, RandomSource &random, const Clock &clock,
                QString windowCommand);

    // Every line said from now on is spoken too, as the window speaks it.
    void speakWith(Speaker *speaker) { m_speaker = speaker; }

    ConsoleAnswer answer(const QString &typed, bool withAllLines = false);
    // A greeting from the knowledge, as the window says when it opens; none when it has none.
    std::optional<QString> greeting();

private:
    QString fill(const QString &text) const;
    void speak(const QString &line) const;
    QString commandReply(ChatCommand command, const QString &said) const;

    KnowledgeBase m_knowledge;
    std::optional<ReplyIndex> m_index;
    QString m_robotName;
    RandomSource &m_random;
    const Clock &m_clock;
    QString m_windowCommand;
    Speaker *m_speaker = nullptr;
    // The last message as the robot read it: what "[msg]" stands for.
    QString m_pendingMessage;
};
