#include "conversation/ReplyEngine.h"

#include "conversation/Calculator.h"
#include "conversation/Randomness.h"
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

std::optional<Reply> rebukeRudeWords(QString &message, const KnowledgeBase &knowledge,
                                     const QString &robotName, RandomSource &random)
{
    const QStringList &words = knowledge.FilterWords;
    for (qsizetype i = 1; i < words.size() - 1; ++i) {
        message.replace(robotName, QStringLiteral("[rob]"));
        if (message.contains(words.at(i)))
            return say(pickRandom(knowledge.DirtyReplies, random), RobotText::Replied);
    }
    return std::nullopt;
}

Reply answerFromTable(const QString &message, const KnowledgeBase &knowledge, RandomSource &random)
{
    const QStringList &table = knowledge.KeywordTable;
    for (qsizetype i = 1; i < table.size(); ++i) {
        const QString &entry = table.at(i);
        if (message.contains(Knowledge::entryKey(entry))) {
            return say(pickRandom(Knowledge::entryParts(entry), random), RobotText::Replied);
        }
    }
    if (table.size() < 2)
        return {};
    return say(pickRandom(knowledge.NoAnswerReplies, random), RobotText::NotUnderstood);
}

} // namespace

Reply respond(QString &message, const KnowledgeBase &knowledge, const QString &robotName,
              RandomSource &random)
{
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
    if (auto rebuke = rebukeRudeWords(message, knowledge, robotName, random))
        return *rebuke;
    return answerFromTable(message, knowledge, random);
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
