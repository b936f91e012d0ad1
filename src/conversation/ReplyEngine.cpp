// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/ReplyEngine.h"

#include "conversation/Calculator.h"
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

std::optional<Reply> rebukeRudeWords(QString &message, const KnowledgeBase &knowledge,
                                     const QString &robotName, RandomSource &random,
                                     const ReplyIndex *index)
{
    if (knowledge.filterWords.isEmpty())
        return std::nullopt;
    // When one replacement leaves the message as every later pass would, all filter words are
    // tested against that one message, and which of them matched does not change the rebuke.
    if (index && settlesInOnePass(robotName)) {
        message.replace(robotName, QStringLiteral("[rob]"));
        if (index->holdsFilterWord(message))
            return say(pickRandom(knowledge.dirtyReplies, random), RobotText::Replied);
        return std::nullopt;
    }
    // The name is replaced on every pass, so never when there are no filter words.
    for (const QString &word : knowledge.filterWords) {
        message.replace(robotName, QStringLiteral("[rob]"));
        if (message.contains(word))
            return say(pickRandom(knowledge.dirtyReplies, random), RobotText::Replied);
    }
    return std::nullopt;
}

Reply answerFromTable(const QString &message, const KnowledgeBase &knowledge, RandomSource &random,
                      const ReplyIndex *index)
{
    const std::optional<qsizetype> entry =
        index ? index->firstEntry(message) : scanTable(message, knowledge.keywordTable);
    if (entry) {
        return say(pickRandom(KnowledgeEntry::replies(knowledge.keywordTable.at(*entry)), random),
                   RobotText::Replied);
    }
    if (knowledge.keywordTable.isEmpty())
        return {};
    return say(pickRandom(knowledge.noAnswerReplies, random), RobotText::NotUnderstood);
}

} // namespace

Reply respond(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
              RandomSource &random, const ReplyIndex *index)
{
    if (index && !index->isFor(knowledge))
        index = nullptr;
    if (const ChatCommand command = ChatCommands::match(message); command != ChatCommand::None) {
        Reply reply;
        reply.command = command;
        if (const QString text = ChatCommands::reply(command); !text.isEmpty())
            reply.text = text;
        return reply;
    }
    if (message.startsWith(QStringLiteral("计算"))) {
        Reply reply;
        reply.text = calculate(message, random);
        return reply;
    }
    if (CrisisCare::concerns(message)) {
        Reply reply = say(pickRandom(CrisisCare::caringLines(), random), RobotText::Replied);
        reply.caring = true;
        return reply;
    }
    if (auto rebuke = rebukeRudeWords(message, knowledge, robotName, random, index))
        return *rebuke;
    return answerFromTable(message, knowledge, random, index);
}

std::optional<qsizetype> scanTable(QStringView message, const KeywordTable &table)
{
    for (qsizetype i = 0; i < table.size(); ++i) {
        if (message.contains(KnowledgeEntry::key(table.at(i))))
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
