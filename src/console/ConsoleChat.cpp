// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "console/ConsoleChat.h"

#include "common/TextRules.h"
#include "conversation/MessageIntake.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyEngine.h"
#include "conversation/RobotProfile.h"
#include "conversation/RobotText.h"
#include "conversation/SourceLocation.h"
#include "voice/Speaker.h"

#include <QDir>

namespace {

QString routeName(const ReplyEngine::Route &route)
{
    using Way = ReplyEngine::Route::Way;
    switch (route.way) {
    case Way::Command:
        return QStringLiteral("command");
    case Way::Calculator:
        return QStringLiteral("calculator");
    case Way::Crisis:
        switch (route.concern) {
        case Care::Concern::Now:
            return QStringLiteral("care:now");
        case Care::Concern::SomeoneElse:
            return QStringLiteral("care:helper");
        case Care::Concern::Distress:
            return QStringLiteral("care:distress");
        case Care::Concern::None:
        case Care::Concern::Self:
            break;
        }
        return QStringLiteral("care:self");
    case Way::RudeWord:
        return QStringLiteral("rude");
    case Way::Entry:
        return QStringLiteral("entry");
    case Way::NoAnswer:
        break;
    }
    return QStringLiteral("no-answer");
}

} // namespace

ConsoleChat::ConsoleChat(KnowledgeBase knowledge, RandomSource &random, const Clock &clock,
                         QString windowCommand)
    : m_knowledge(std::move(knowledge)), m_index(ReplyIndex::build(m_knowledge)),
      m_robotName(RobotProfile::builtIn().name), m_random(random), m_clock(clock),
      m_windowCommand(std::move(windowCommand))
{
}

std::optional<QString> ConsoleChat::greeting()
{
    const QString *line = pickRandom(m_knowledge.welcomeMessages, m_random);
    if (!line)
        return std::nullopt;
    const QString said = fill(*line);
    speak(said);
    return said;
}

ConsoleAnswer ConsoleChat::answer(const QString &typed, bool withAllLines)
{
    ConsoleAnswer answer;
    switch (MessageIntake::judge(typed)) {
    case MessageIntake::Verdict::Blank:
        answer.route = QStringLiteral("blank");
        answer.reply = MessageIntake::blankWarning();
        speak(answer.reply);
        return answer;
    case MessageIntake::Verdict::TooLong:
        answer.route = QStringLiteral("too-long");
        answer.reply = MessageIntake::tooLongNotice(typed.size(), MessageIntake::Arrival::Typed);
        return answer;
    case MessageIntake::Verdict::Message:
        break;
    }

    m_pendingMessage = TextRules::normalise(typed);
    const Reply reply = ReplyEngine::respond(m_pendingMessage, m_knowledge, m_robotName, m_random,
                                             m_index ? &*m_index : nullptr, typed);
    const ReplyEngine::Route &route = reply.route;
    answer.route = routeName(route);
    answer.command = route.command;
    if (route.way == ReplyEngine::Route::Way::Entry) {
        answer.key = KnowledgeEntry::key(m_knowledge.keywordTable.at(route.entry)).toString();
        answer.row = route.entry + 1;
    } else if (route.way == ReplyEngine::Route::Way::RudeWord) {
        answer.key = m_knowledge.filterWords.at(route.filterWord);
    }
    if (reply.text)
        answer.reply = fill(*reply.text);
    if (route.way == ReplyEngine::Route::Way::Command)
        answer.reply = commandReply(route.command, answer.reply);
    speak(answer.reply);
    if (withAllLines) {
        if (route.way == ReplyEngine::Route::Way::Command) {
            if (!answer.reply.isEmpty())
                answer.lines = {answer.reply};
        } else {
            for (const QString &line : reply.lines)
                answer.lines.append(fill(line));
        }
    }
    return answer;
}

QString ConsoleChat::fill(const QString &text) const
{
    return RobotText::expandPlaceholders(text, m_robotName, m_pendingMessage, m_clock.now());
}

void ConsoleChat::speak(const QString &line) const
{
    if (m_speaker && !line.isEmpty())
        m_speaker->say(line);
}

QString ConsoleChat::commandReply(ChatCommand command, const QString &said) const
{
    switch (command) {
    case ChatCommand::Teach:
        return QStringLiteral("调教%1要在妙语通的窗口里进行：在终端里输入 %2"
                              "（或者从应用程序菜单打开“妙语通”），再在窗口里发送 /teach。")
            .arg(m_robotName, m_windowCommand);
    case ChatCommand::GetCode:
        // The window opens this place; a terminal can only name it.
        if (const QUrl source = SourceLocation::forThisProgram(); !source.isEmpty()) {
            return said + QStringLiteral("\n源代码在：") +
                   (source.isLocalFile() ? QDir::toNativeSeparators(source.toLocalFile())
                                         : source.toString());
        }
        return said;
    case ChatCommand::None:
    case ChatCommand::Help:
    case ChatCommand::Qqt:
    case ChatCommand::Clear:
    case ChatCommand::Exit:
    case ChatCommand::QqTalk:
        break;
    }
    return said;
}
