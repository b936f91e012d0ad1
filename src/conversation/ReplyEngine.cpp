// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/ReplyEngine.h"

#include "calculator/Calculator.h"
#include "care/Care.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyIndex.h"
#include "knowledge/KnowledgeBase.h"

namespace ReplyEngine {

namespace {

// Once the name is replaced, a new occurrence of it could only overlap an inserted "[rob]".
bool settlesInOnePass(const QString &robotName)
{
    if (robotName.isEmpty())
        return false;
    for (const QChar c : robotName) {
        if (QStringView(u"[rob]").contains(c))
            return false;
    }
    return true;
}

// The first filter word the message holds, turning the robot's name into "[rob]" as it goes:
// on every pass, so never when there are no filter words.
std::optional<qsizetype> firstRudeWord(QString &message, const KnowledgeBase &knowledge,
                                       const QString &robotName, const ReplyIndex *index,
                                       bool &nameReplaced)
{
    if (knowledge.filterWords.isEmpty())
        return std::nullopt;
    nameReplaced = true;
    // When one replacement leaves the message as every later pass would, all filter words are
    // tested against that one message.
    if (index && settlesInOnePass(robotName)) {
        message.replace(robotName, QStringLiteral("[rob]"));
        return index->firstFilterWord(message);
    }
    for (qsizetype i = 0; i < knowledge.filterWords.size(); ++i) {
        message.replace(robotName, QStringLiteral("[rob]"));
        const QString &word = knowledge.filterWords.at(i);
        if (!word.isEmpty() && message.contains(word)) // as the index: "" is never found
            return i;
    }
    return std::nullopt;
}

// The calculator's choice among its four templates, drawn in double precision as it always was.
qsizetype calculatorTemplate(RandomSource &random)
{
    return qBound(1, int(random.next() * 4 + 1), 4) - 1;
}

} // namespace

Route route(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
            const ReplyIndex *index, const EntryFinder &findEntry, QStringView typed)
{
    if (index && !index->isFor(knowledge))
        index = nullptr;
    Route route;
    if (const ChatCommand command = ChatCommands::match(message); command != ChatCommand::None) {
        route.way = Route::Way::Command;
        route.command = command;
        return route;
    }
    // Care before all else a message may be: a cry after "计算" or beside a rude word is
    // still a cry.
    if (const Care::Concern concern = Care::builtIn().concernOf(message, typed);
        concern != Care::Concern::None) {
        route.way = Route::Way::Crisis;
        route.concern = concern;
        return route;
    }
    if (message.startsWith(QStringLiteral("计算"))) {
        route.way = Route::Way::Calculator;
        return route;
    }
    if (const std::optional<qsizetype> word =
            firstRudeWord(message, knowledge, robotName, index, route.nameReplaced)) {
        route.way = Route::Way::RudeWord;
        route.filterWord = *word;
        return route;
    }
    const std::optional<qsizetype> entry = findEntry ? findEntry(message)
                                           : index   ? index->firstEntry(message)
                                                     : scanTable(message, knowledge.keywordTable);
    if (entry) {
        route.way = Route::Way::Entry;
        route.entry = *entry;
    }
    return route;
}

Reply respond(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
              RandomSource &random, const ReplyIndex *index, QStringView typed)
{
    Reply reply;
    reply.route = route(message, knowledge, robotName, index, {}, typed);
    switch (reply.route.way) {
    case Route::Way::Command:
        if (const QString text = ChatCommands::reply(reply.route.command); !text.isEmpty()) {
            reply.lines = {text};
            reply.text = text;
        }
        return reply;
    case Route::Way::Calculator:
        reply.lines = calculatorLines(message);
        reply.text = reply.lines.size() == 1 ? reply.lines.constFirst()
                                             : reply.lines.at(calculatorTemplate(random));
        return reply;
    case Route::Way::Crisis:
        reply.lines = Care::builtIn().linesFor(reply.route.concern, message);
        reply.caring = true;
        break;
    case Route::Way::RudeWord:
        reply.lines = knowledge.dirtyReplies;
        break;
    case Route::Way::Entry:
        reply.lines = KnowledgeEntry::replies(knowledge.keywordTable.at(reply.route.entry));
        break;
    case Route::Way::NoAnswer:
        // With no entries at all nothing is said, and the tick comes round again.
        if (knowledge.keywordTable.isEmpty())
            return reply;
        reply.lines = knowledge.noAnswerReplies;
        reply.kind = RobotText::NotUnderstood;
        break;
    }
    if (const QString *picked = pickRandom(reply.lines, random))
        reply.text = *picked;
    return reply;
}

bool answersWithCare(const QString &message)
{
    return ChatCommands::match(message) == ChatCommand::None &&
           Care::builtIn().concernOf(message) != Care::Concern::None;
}

std::optional<qsizetype> scanTable(QStringView message, const KeywordTable &table)
{
    for (qsizetype i = 0; i < table.size(); ++i) {
        // Only a hand-edited file holds an empty key; contained in every message, it would
        // silence the rest of the table.
        const QStringView key = KnowledgeEntry::key(table.at(i));
        if (!key.isEmpty() && message.contains(key))
            return i;
    }
    return std::nullopt;
}

QString calculate(QString &message, RandomSource &random)
{
    const QStringList lines = calculatorLines(message);
    return lines.size() == 1 ? lines.constFirst() : lines.at(calculatorTemplate(random));
}

QStringList calculatorLines(QString &message)
{
    message = Calculator::requestedExpression(message);
    if (message.isEmpty())
        return {QStringLiteral("拜托，您得先告诉[rob]要算啥啊！")};

    const QString value = JS(message);
    if (value.isEmpty())
        return {QStringLiteral("太难了，把[rob]都算晕了还算不出来~换一个吧")};

    static const QStringList templates =
        QStringLiteral("| 等于[JS]呀,拜托来点更高难度的| 这么简单你也不会呀,等于[JS]啊|"
                       "我没算错的话,结果应该是[JS]|等于[JS],[rob]的计算绝对准确|")
            .split(u'|', Qt::SkipEmptyParts);
    QStringList lines;
    for (const QString &line : templates)
        lines.append(QString(line).replace(QStringLiteral("[JS]"), value));
    return lines;
}

} // namespace ReplyEngine
