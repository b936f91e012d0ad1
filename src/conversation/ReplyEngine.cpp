// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/ReplyEngine.h"

#include "calculator/Calculator.h"
#include "conversation/CrisisCare.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyIndex.h"
#include "knowledge/KnowledgeBase.h"

namespace ReplyEngine {

namespace {

Reply say(const QString *text, RobotText::ReplyKind kind)
{
    Reply reply;
    if (text)
        reply.text = *text;
    reply.kind = kind;
    return reply;
}

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

// Whether the message holds a filter word, turning the robot's name into "[rob]" as it goes:
// on every pass, so never when there are no filter words.
bool holdsRudeWord(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
                   const ReplyIndex *index, bool &nameReplaced)
{
    if (knowledge.filterWords.isEmpty())
        return false;
    nameReplaced = true;
    // When one replacement leaves the message as every later pass would, all filter words are
    // tested against that one message.
    if (index && settlesInOnePass(robotName)) {
        message.replace(robotName, QStringLiteral("[rob]"));
        return index->holdsFilterWord(message);
    }
    for (const QString &word : knowledge.filterWords) {
        message.replace(robotName, QStringLiteral("[rob]"));
        if (!word.isEmpty() && message.contains(word)) // as the index: "" is never found
            return true;
    }
    return false;
}

} // namespace

Route route(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
            const ReplyIndex *index, const EntryFinder &findEntry)
{
    if (index && !index->isFor(knowledge))
        index = nullptr;
    Route route;
    if (const ChatCommand command = ChatCommands::match(message); command != ChatCommand::None) {
        route.way = Route::Way::Command;
        route.command = command;
        return route;
    }
    if (message.startsWith(QStringLiteral("计算"))) {
        route.way = Route::Way::Calculator;
        return route;
    }
    if (const CrisisCare::Concern concern = CrisisCare::concernOf(message);
        concern != CrisisCare::Concern::None) {
        route.way = Route::Way::Crisis;
        route.forSomeoneElse = concern == CrisisCare::Concern::SomeoneElse;
        return route;
    }
    if (holdsRudeWord(message, knowledge, robotName, index, route.nameReplaced)) {
        route.way = Route::Way::RudeWord;
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
              RandomSource &random, const ReplyIndex *index)
{
    const Route way = route(message, knowledge, robotName, index);
    switch (way.way) {
    case Route::Way::Command: {
        Reply reply;
        reply.command = way.command;
        if (const QString text = ChatCommands::reply(way.command); !text.isEmpty())
            reply.text = text;
        return reply;
    }
    case Route::Way::Calculator: {
        Reply reply;
        reply.text = calculate(message, random);
        return reply;
    }
    case Route::Way::Crisis: {
        Reply reply = say(pickRandom(way.forSomeoneElse ? CrisisCare::linesForAHelper()
                                                        : CrisisCare::caringLines(),
                                     random),
                          RobotText::Replied);
        reply.caring = true;
        return reply;
    }
    case Route::Way::RudeWord:
        return say(pickRandom(knowledge.dirtyReplies, random), RobotText::Replied);
    case Route::Way::Entry:
        return say(
            pickRandom(KnowledgeEntry::replies(knowledge.keywordTable.at(way.entry)), random),
            RobotText::Replied);
    case Route::Way::NoAnswer:
        break;
    }
    if (knowledge.keywordTable.isEmpty())
        return {};
    return say(pickRandom(knowledge.noAnswerReplies, random), RobotText::NotUnderstood);
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
    for (const char16_t *noise : {u"计算", u"等于", u"？", u"="})
        message.remove(QString::fromUtf16(noise));
    if (message.isEmpty())
        return QStringLiteral("拜托，您得先告诉[rob]要算啥啊！");

    const QString value = JS(message);
    if (value.isEmpty())
        return QStringLiteral("太难了，把[rob]都算晕了还算不出来~换一个吧");

    static const QStringList templates =
        QStringLiteral("| 等于[JS]呀,拜托来点更高难度的| 这么简单你也不会呀,等于[JS]啊|"
                       "我没算错的话,结果应该是[JS]|等于[JS],[rob]的计算绝对准确|")
            .split(u'|');
    const int choice = qBound(1, int(random.next() * 4 + 1), 4);
    return QString(templates.at(choice)).replace(QStringLiteral("[JS]"), value);
}

} // namespace ReplyEngine
