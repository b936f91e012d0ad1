#pragma once
// Decides what the robot answers to the pending message: a command, a calculation, a caring
// answer to someone in crisis, a rebuke for a rude word, a reply from the keyword table, or
// that it did not understand.

#include "conversation/ChatCommands.h"
#include "conversation/RobotText.h"

#include <QString>
#include <optional>

struct KnowledgeBase;
class RandomSource;

struct Reply
{
    ChatCommand command = ChatCommand::None;
    // What to say, if anything; placeholders are still in it.
    std::optional<QString> text;
    RobotText::ReplyKind kind = RobotText::Replied;
    // A caring answer to someone in crisis: no idle chatter may follow it.
    bool caring = false;
};

namespace ReplyEngine {

// One reply-timer tick. The message is updated in place as the robot reads it: the robot's
// name becomes "[rob]" before the table is searched, and a calculation strips its words.
Reply respond(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
              RandomSource &random);

// The calculator's answer to a message that starts with "计算".
QString calculate(QString &message, RandomSource &random);

} // namespace ReplyEngine
