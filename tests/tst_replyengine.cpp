// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The reply engine: which path answers a message, in which order, and with what text.

#include "care/Care.h"
#include "common/GbkCodec.h"
#include "common/TextRules.h"
#include "conversation/ChatCommands.h"
#include "conversation/ReplyEngine.h"
#include "conversation/RobotText.h"
#include "knowledge/KnowledgeBase.h"
#include "support/Fakes.h"
#include "support/SmallKnowledge.h"

#include <QTest>

namespace {

KnowledgeBase knowledge(const QStringList &entries,
                        const QStringList &filterWords = {QStringLiteral("fuck"),
                                                          QStringLiteral("SB")})
{
    return *KnowledgeBase::parse(
        *GbkCodec::encode(knowledgeText(entries, QStringLiteral("zu"), filterWords)));
}

const QStringList kTable = {
    QStringLiteral("!!\\你生气了吗?\\"),   QStringLiteral("bye\\88.....\\BYE BYE!\\"),
    QStringLiteral("hello\\Hi~\\HELLO\\"), QStringLiteral("sb\\你才是\\"),
    QStringLiteral("[rob]\\叫我干嘛？\\"),
};

} // namespace

class TestReplyEngine : public QObject
{
    Q_OBJECT

private slots:
    void choosesThePathInOrder_data();
    void choosesThePathInOrder();
    void normalisesMessages_data();
    void normalisesMessages();
    void namesTheRobotAsRobInTheMessage();
    void emptyTableSaysNothing();
    void calculatorStripsAndFails_data();
    void calculatorStripsAndFails();
    void calculatorTemplateDraw_data();
    void calculatorTemplateDraw();
    void helpTextByteForByte();
    void placeholdersExpandInOrder();
    void pickRandomSpreadsOverTheItems_data();
    void pickRandomSpreadsOverTheItems();
};

void TestReplyEngine::choosesThePathInOrder_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");

    const int none = int(ChatCommand::None);
    const int replied = RobotText::Replied;
    // The scripted random source answers 0: every pick is the first item or reply.
    QTest::newRow("command over everything")
        << u"/help"_qs << int(ChatCommand::Help) << ChatCommands::helpText() << replied;
    QTest::newRow("command that says nothing")
        << u"/clear"_qs << int(ChatCommand::Clear) << QString() << replied;
    QTest::newRow("command must be the whole message")
        << u"/help!"_qs << none << u"你在说什么？"_qs << int(RobotText::NotUnderstood);
    QTest::newRow("calculator over rude words")
        << u"计算1+1fuck"_qs << none << u"太难了，把[rob]都算晕了还算不出来~换一个吧"_qs << replied;
    const QString caring = Care::builtIn().linesFor(Care::Concern::Self).first();
    QTest::newRow("crisis over the table") << u"我想死"_qs << none << caring << replied;
    QTest::newRow("crisis over rude words") << u"fuck我不想活了"_qs << none << caring << replied;
    QTest::newRow("crisis over the calculator")
        << u"计算我不想活了"_qs << none << caring << replied;
    QTest::newRow("a cry after a sum")
        << u"计算1+1，算了我不想活了"_qs << none << caring << replied;
    QTest::newRow("a look-alike goes to the table")
        << u"hello想死你了"_qs << none << u"Hi~"_qs << replied;
    QTest::newRow("rude word over keyword")
        << u"hellofuck"_qs << none << u"表说粗话好吗——"_qs << replied;
    QTest::newRow("filter words are case-sensitive") << u"sb"_qs << none << u"你才是"_qs << replied;
    QTest::newRow("first match in table order wins")
        << u"hellobye"_qs << none << u"88....."_qs << replied;
    QTest::newRow("containment, not word match")
        << u"ohellothere"_qs << none << u"Hi~"_qs << replied;
    QTest::newRow("key must be in the message, not the reverse")
        << u"hell"_qs << none << u"你在说什么？"_qs << int(RobotText::NotUnderstood);
    QTest::newRow("robot's name alone") << u"阿木"_qs << none << u"叫我干嘛？"_qs << replied;
    QTest::newRow("robot's name and an earlier key")
        << u"阿木hello"_qs << none << u"Hi~"_qs << replied;
    QTest::newRow("line breaks are text, not blanks")
        << u"\n\n"_qs << none << u"你在说什么？"_qs << int(RobotText::NotUnderstood);
}

void TestReplyEngine::choosesThePathInOrder()
{
    QFETCH(QString, message);
    QFETCH(int, command);
    QFETCH(QString, text);
    QFETCH(int, kind);

    const KnowledgeBase kb = knowledge(kTable);
    ScriptedRandom random;
    const Reply reply = ReplyEngine::respond(message, kb, QStringLiteral("阿木"), random);
    QCOMPARE(int(reply.route.command), command);
    QCOMPARE(reply.text.value_or(QString()), text);
    if (reply.text)
        QCOMPARE(int(reply.kind), kind);
    QCOMPARE(reply.caring, Care::builtIn().linesFor(Care::Concern::Self).contains(text));
}

void TestReplyEngine::normalisesMessages_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("spaces removed, lower-cased") << u"Hello World"_qs << u"helloworld"_qs;
    QTest::newRow("command with spaces") << u" / HELP "_qs << u"/help"_qs;
    QTest::newRow("tabs, breaks and full-width spaces stay")
        << u"a\tb\nc　d"_qs << u"a\tb\nc　d"_qs;
    QTest::newRow("Chinese untouched") << u"计算 2 + 3 * 4"_qs << u"计算2+3*4"_qs;
}

void TestReplyEngine::normalisesMessages()
{
    QFETCH(QString, typed);
    QFETCH(QString, normalised);
    QCOMPARE(TextRules::normalise(typed), normalised);
}

void TestReplyEngine::namesTheRobotAsRobInTheMessage()
{
    const KnowledgeBase kb = knowledge({QStringLiteral("zzz\\[msg]\\")});
    ScriptedRandom random;
    QString message = QStringLiteral("阿木你好");
    const Reply reply = ReplyEngine::respond(message, kb, QStringLiteral("阿木"), random);
    QCOMPARE(message, QStringLiteral("[rob]你好"));
    QCOMPARE(reply.kind, RobotText::NotUnderstood);
    // An echo of such a message shows the name again, not "[rob]".
    QCOMPARE(RobotText::expandPlaceholders(QStringLiteral("你说：[msg]"), QStringLiteral("阿木"),
                                           message, QDateTime::currentDateTime()),
             QStringLiteral("你说：阿木你好"));

    // Without filter words the name is never replaced, so "[rob]" entries cannot match.
    KnowledgeBase noFilter = knowledge(kTable);
    noFilter.filterWords.clear();
    QString plain = QStringLiteral("阿木");
    QCOMPARE(ReplyEngine::respond(plain, noFilter, QStringLiteral("阿木"), random).kind,
             RobotText::NotUnderstood);
}

void TestReplyEngine::emptyTableSaysNothing()
{
    const KnowledgeBase kb = knowledge({});
    ScriptedRandom random;
    QString message = QStringLiteral("hello");
    const Reply reply = ReplyEngine::respond(message, kb, QStringLiteral("阿木"), random);
    QVERIFY(!reply.text);
    QCOMPARE(reply.route.command, ChatCommand::None);
}

void TestReplyEngine::calculatorStripsAndFails_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("answer");
    const QString nothing = u"拜托，您得先告诉[rob]要算啥啊！"_qs;
    const QString tooHard = u"太难了，把[rob]都算晕了还算不出来~换一个吧"_qs;
    QTest::newRow("nothing to calculate") << u"计算"_qs << nothing;
    QTest::newRow("only noise words") << u"计算等于？"_qs << nothing;
    QTest::newRow("question and equals removed")
        << u"计算2+3*4=？"_qs << u" 等于14呀,拜托来点更高难度的"_qs;
    QTest::newRow("division by zero") << u"计算1/0"_qs << tooHard;
    QTest::newRow("unknown name") << u"计算abc"_qs << tooHard;
    QTest::newRow("full-width digits are not translated") << u"计算１+１"_qs << tooHard;
}

void TestReplyEngine::calculatorStripsAndFails()
{
    QFETCH(QString, message);
    QFETCH(QString, answer);
    ScriptedRandom random;
    QCOMPARE(ReplyEngine::calculate(message, random), answer);
}

void TestReplyEngine::calculatorTemplateDraw_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("answer");
    QTest::newRow("first") << 0.0 << u" 等于2呀,拜托来点更高难度的"_qs;
    QTest::newRow("second") << 0.25 << u" 这么简单你也不会呀,等于2啊"_qs;
    QTest::newRow("third") << 0.5 << u"我没算错的话,结果应该是2"_qs;
    QTest::newRow("fourth") << 0.9999 << u"等于2,[rob]的计算绝对准确"_qs;
}

void TestReplyEngine::calculatorTemplateDraw()
{
    QFETCH(double, r);
    QFETCH(QString, answer);
    ScriptedRandom random;
    random.setFallback(r);
    QString message = QStringLiteral("计算1+1");
    QCOMPARE(ReplyEngine::calculate(message, random), answer);
    QCOMPARE(message, QStringLiteral("1+1"));
}

void TestReplyEngine::helpTextByteForByte()
{
    QCOMPARE(ChatCommands::helpText().toUtf8(), QByteArray("[rob]告诉你怎么用：\r\n"
                                                           "/help    显示帮助\r\n"
                                                           "/teach   教[rob]说话\r\n"
                                                           "/exit    跟[rob]Say Goodbye\r\n"
                                                           "/qqtalk  跟我的主人聊天←_←\r\n"
                                                           "/getcode 索要我的源码0_0\r\n"
                                                           "计算XX 进行四则混合运算\r\n"
                                                           "/clear 清屏"));
}

void TestReplyEngine::placeholdersExpandInOrder()
{
    const QDateTime when(QDate(2014, 9, 5), QTime(6, 43, 55));
    const QString expanded =
        RobotText::expandPlaceholders(QStringLiteral("[rob]:[msg] [day] [time] [rob]"),
                                      QStringLiteral("阿木"), QStringLiteral("hi[day]"), when);
    const QString day = RobotText::dateText(when);
    const QString time = RobotText::timeText(when);
    QCOMPARE(expanded, u"阿木:hi"_qs + day + u' ' + day + u' ' + time + u" 阿木"_qs);

    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QCOMPARE(RobotText::dateText(when, chinese), QStringLiteral("2014/9/5"));
    QVERIFY2(RobotText::timeText(when, chinese).endsWith(QStringLiteral("6:43:55")),
             qPrintable(RobotText::timeText(when, chinese)));
}

void TestReplyEngine::pickRandomSpreadsOverTheItems_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("picked");
    const QStringList five = {u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs};
    QTest::newRow("one item") << QStringList{u"only"_qs} << 0.99 << u"only"_qs;
    QTest::newRow("first of five") << five << 0.0 << u"1"_qs;
    QTest::newRow("middle of five") << five << 0.5 << u"3"_qs;
    QTest::newRow("last of five") << five << 0.8 << u"5"_qs;
    QTest::newRow("just under one") << five << 0.99999999 << u"5"_qs;
    QTest::newRow("no items") << QStringList{} << 0.5 << QString();
}

void TestReplyEngine::pickRandomSpreadsOverTheItems()
{
    QFETCH(QStringList, list);
    QFETCH(double, r);
    QFETCH(QString, picked);
    ScriptedRandom random;
    random.setFallback(r);
    const QString *result = pickRandom(list, random);
    QCOMPARE(result ? *result : QString(), picked);
}

QTEST_GUILESS_MAIN(TestReplyEngine)
#include "tst_replyengine.moc"
