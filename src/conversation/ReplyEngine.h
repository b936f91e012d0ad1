// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Decides what the robot answers to the pending message: a command, a calculation, a caring
// answer to someone in crisis, a rebuke for a rude word, a reply from the keyword table, or
// that it did not understand.

#include "care/Care.h"
#include "conversation/ChatCommands.h"
#include "conversation/RobotText.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

class KeywordTable;
struct KnowledgeBase;
class RandomSource;
class ReplyIndex;

namespace ReplyEngine {

// Which way a message goes, in the order the engine tries them.
struct Route
{
    enum class Way
    {
        Command,
        Calculator,
        Crisis,
        RudeWord,
        Entry,    // the first entry in table order whose key the message holds
        NoAnswer, // no key matched
    };
    Way way = Way::NoAnswer;
    ChatCommand command = ChatCommand::None;
    qsizetype entry = -1;
    // The robot's name was turned into "[rob]" before the table was searched.
    bool nameReplaced = false;
    // For care: what the message calls for.
    Care::Concern concern = Care::Concern::None;
    // For a rude word: the first filter word, in list order, that the message holds.
    qsizetype filterWord = -1;
};

} // namespace ReplyEngine

struct Reply
{
    ReplyEngine::Route route;
    // What to say, if anything; placeholders are still in it.
    std::optional<QString> text;
    // Every line the same road could have said, the one said among them: an entry's replies,
    // the rebukes, the lines for no answer, the calculator's four answers, the caring lines.
    QStringList lines;
    RobotText::ReplyKind kind = RobotText::Replied;
    // A caring answer to someone in crisis: no idle chatter may follow it.
    bool caring = false;
};

namespace ReplyEngine {

// Finds the first entry, in the order of the table being searched, whose key a message holds.
using EntryFinder = std::function<std::optional<qsizetype>(QStringView message)>;

// The one decision of which way a message goes; respond() answers along it, and teaching uses
// it to tell when an entry can never answer. The message is updated in place as respond() says.
// Without a finder, the index (if built for this knowledge) or a scan of the table finds entries.
// Care alone also reads the message as typed, when given.
Route route(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
            const ReplyIndex *index = nullptr, const EntryFinder &findEntry = {},
            QStringView typed = {});

// One reply-timer tick. The message is updated in place as the robot reads it: the robot's
// name becomes "[rob]" before the table is searched, and a calculation strips its words.
// An index built for this knowledge finds the same answers as the scans, in time that does not
// grow with the table; without one (or with one for other knowledge) the scans answer.
Reply respond(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
              RandomSource &random, const ReplyIndex *index = nullptr, QStringView typed = {});

// Whether a message would be answered with care (for the user or for someone the user would
// help): a message waiting for its answer that would is not replaced by the next one.
bool answersWithCare(const QString &message);

// The first entry in table order whose key the message contains, by testing every key.
std::optional<qsizetype> scanTable(QStringView message, const KeywordTable &table);

// The calculator's answer to a message that starts with "计算".
QString calculate(QString &message, RandomSource &random);
// Every answer the calculator may give to such a message: one line when it has no value,
// else its four templates with the value. The message is left as the calculator read it.
QStringList calculatorLines(QString &message);

} // namespace ReplyEngine
