// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Start-up: the first run asks the name and writes Data.ait, later runs load it, damaged
// files are refused in words, and the robot greets in the transcript's line format.

#include "conversation/RobotText.h"
#include "knowledge/KnowledgeBase.h"
#include "support/WindowHarness.h"

#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstRunAsksUntilANameIsGiven_data();
    void firstRunAsksUntilANameIsGiven();
    void firstRunRefusesANameTheFileCannotHold_data();
    void firstRunRefusesANameTheFileCannotHold();
    void endingDuringTheNameQuestionWritesNothing_data();
    void endingDuringTheNameQuestionWritesNothing();
    void secondRunUsesTheStoredFile();
    void readOnlyFileStillCounts();
    void greetingLineFormat();
    void refusesDamagedFilesAndLeavesThemAlone_data();
    void refusesDamagedFilesAndLeavesThemAlone();
    void robotSayBehavesByKind_data();
    void robotSayBehavesByKind();
    void idleTicksBeforeLoadingNeitherCountNorPrompt();
};

void TestStartup::firstRunAsksUntilANameIsGiven_data()
{
    QTest::addColumn<QList<std::optional<QString>>>("answers");
    QTest::addColumn<int>("asks");
    QTest::addColumn<QString>("stored");

    using Answers = QList<std::optional<QString>>;
    QTest::newRow("name at once") << Answers{u"张三"_qs} << 1 << u"张三"_qs;
    QTest::newRow("blank, cancel, then a name with spaces")
        << Answers{u""_qs, std::nullopt, u"  li si "_qs} << 3 << u"  li si "_qs;
    QTest::newRow("cancel, then the offered default")
        << Answers{std::nullopt, u"无名人士"_qs} << 2 << u"无名人士"_qs;
}

void TestStartup::firstRunAsksUntilANameIsGiven()
{
    QFETCH(QList<std::optional<QString>>, answers);
    QFETCH(int, asks);
    QFETCH(QString, stored);

    WindowHarness h;
    h.answers = answers;
    h.make();
    QVERIFY(h.startWindow());

    QCOMPARE(h.asked.size(), asks);
    QCOMPARE(h.asked.at(0).title, QStringLiteral("妙语通"));
    QCOMPARE(h.asked.at(0).prompt,
             QStringLiteral("您好!我是妙语通,我叫 阿木\r\r初次见面,请告诉我您的名字:"));
    QCOMPARE(h.asked.at(0).defaultText, QString());
    for (int i = 1; i < asks; ++i) {
        QCOMPARE(h.asked.at(i).title, QStringLiteral("Hello"));
        QCOMPARE(h.asked.at(i).prompt, QStringLiteral("喂喂,先别着急,我还不知道你的名字呢:"));
        QCOMPARE(h.asked.at(i).defaultText, QStringLiteral("无名人士"));
    }

    const QByteArray bytes = h.fileBytes();
    QVERIFY(bytes.startsWith(*GbkCodec::encode(u'|' + stored + QStringLiteral("|\r\n[AI_Dat]"))));
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    QCOMPARE(h.window->knowledge().userName, stored);
    QCOMPARE(h.label("LabSmartWord"),
             QStringLiteral("数据：%1个").arg(h.window->knowledge().entryCount()));
    QVERIFY(h.transcript().startsWith(QStringLiteral("阿木 ")));
    QCOMPARE(h.label("LabStatus"), QStringLiteral("阿木 向你发送消息"));
}

void TestStartup::firstRunRefusesANameTheFileCannotHold_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("named");
    QTest::newRow("beyond GBK") << u"Zoe😀"_qs << u"😀"_qs;
    QTest::newRow("the section marker") << u"a[AI_Dat]b"_qs << u"[AI_Dat]"_qs;
}

void TestStartup::firstRunRefusesANameTheFileCannotHold()
{
    QFETCH(QString, name);
    QFETCH(QString, named);
    WindowHarness h;
    h.answers = {name, u"Zoe"_qs};
    h.make();
    QVERIFY(h.startWindow());
    QCOMPARE(h.asked.size(), 2);
    QVERIFY(h.asked.at(1).prompt.contains(u'“' + named + u'”'));
    QCOMPARE(h.asked.at(1).defaultText, name);
    QVERIFY(h.fileBytes().startsWith("|Zoe|\r\n"));
}

void TestStartup::endingDuringTheNameQuestionWritesNothing_data()
{
    // Once the program is told to end, every dialog closes unanswered at once: the question is
    // not asked again, and no file is made.
    QTest::addColumn<QList<std::optional<QString>>>("answers"); // before the end
    QTest::addColumn<int>("asks");

    using Answers = QList<std::optional<QString>>;
    QTest::newRow("the first question") << Answers{} << 1;
    QTest::newRow("asked again after a blank") << Answers{u""_qs} << 2;
    QTest::newRow("asked again for a name the file cannot hold") << Answers{u"Zoe😀"_qs} << 2;
}

void TestStartup::endingDuringTheNameQuestionWritesNothing()
{
    QFETCH(QList<std::optional<QString>>, answers);
    QFETCH(int, asks);
    WindowHarness h;
    h.answers = answers;
    h.stopRequested = [&h, asks] { return h.asked.size() >= asks; };
    h.make();
    QVERIFY(!h.window->start());
    QCOMPARE(h.asked.size(), asks);
    QVERIFY(!QFile::exists(h.dataPath()));
    QVERIFY(!h.window->isVisible());
}

void TestStartup::secondRunUsesTheStoredFile()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"hello\\Hi~\\"_qs, u"bye\\88\\"_qs}));
    QVERIFY(h.asked.isEmpty());
    QCOMPARE(h.label("LabSmartWord"), QStringLiteral("数据：2个"));
    QCOMPARE(h.window->knowledge().userName, QStringLiteral("zu"));
    h.send(QStringLiteral("hi"));
    QVERIFY(h.transcript().contains(QStringLiteral("\nzu ")));
}

void TestStartup::readOnlyFileStillCounts()
{
    WindowHarness h;
    h.writeKnowledge(knowledgeText({u"a\\b\\"_qs}));
    QFile::setPermissions(h.dataPath(), QFile::ReadOwner);
    h.make();
    QVERIFY(h.startWindow());
    QVERIFY(h.asked.isEmpty());
}

void TestStartup::greetingLineFormat()
{
    WindowHarness h;
    h.random.setFallback(0.99);
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    const QDateTime when = h.clock.now();
    // The last greeting of the test file, with the robot's name filled in.
    QCOMPARE(h.transcript(), QStringLiteral("阿木 ") + RobotText::dateText(when) + u' ' +
                                 RobotText::timeText(when) + QStringLiteral("\n我是阿木\n\n"));
    QCOMPARE(h.speaker.lines, QStringList{QStringLiteral("我是阿木")});
    QCOMPARE(h.window->lastReply(), QStringLiteral("我是阿木"));
}

void TestStartup::refusesDamagedFilesAndLeavesThemAlone_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("zero length") << QByteArray();
    QTest::newRow("no markers") << QByteArray("|zu|\r\nhello\r\n");
    QTest::newRow("a list without items")
        << GbkCodec::encode(knowledgeText({}).replace(u"|嗨!你好!|我是[rob]|"_qs, u"欢迎"_qs))
               .value();
}

void TestStartup::refusesDamagedFilesAndLeavesThemAlone()
{
    QFETCH(QByteArray, bytes);
    WindowHarness h;
    {
        QFile file(h.dataPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    h.make();
    QVERIFY(!h.startWindow());
    QCOMPARE(h.shown.size(), 1);
    QVERIFY(h.shown.at(0).prompt.contains(QStringLiteral("Data.ait")));
    QCOMPARE(h.fileBytes(), bytes);
    QVERIFY(h.asked.isEmpty());
}

void TestStartup::robotSayBehavesByKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("teachEnabled");
    QTest::addColumn<bool>("idleRuns");
    QTest::newRow("replied") << 1 << u"阿木 已经回复消息"_qs << false << true;
    QTest::newRow("on its own") << 2 << u"阿木 向你发送消息"_qs << false << true;
    QTest::newRow("not understood")
        << 3 << u"阿木不明觉厉...（需要你来调教调教）"_qs << true << false;
}

void TestStartup::robotSayBehavesByKind()
{
    QFETCH(int, kind);
    QFETCH(QString, status);
    QFETCH(bool, teachEnabled);
    QFETCH(bool, idleRuns);

    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    h.timer("TimerActive")->stop();
    h.send(QStringLiteral("x"));
    QVERIFY(h.timer("TimerRevert")->isActive());
    h.window->idleTick();

    h.window->robotSay(QStringLiteral("现在是[time],[rob]"), RobotText::ReplyKind(kind));
    QCOMPARE(h.label("LabStatus"), status);
    QCOMPARE(h.control<QPushButton>("CmdTeach")->isEnabled(), teachEnabled);
    QCOMPARE(h.timer("TimerActive")->isActive(), idleRuns);
    QVERIFY(!h.timer("TimerRevert")->isActive());
    QCOMPARE(h.window->idleTicks(), 0);
    QVERIFY(h.transcript().endsWith(u"现在是"_qs + RobotText::timeText(h.clock.now()) +
                                    u",阿木\n\n"_qs));
}

void TestStartup::idleTicksBeforeLoadingNeitherCountNorPrompt()
{
    WindowHarness h;
    h.make();
    for (int i = 0; i < 5; ++i)
        h.window->idleTick();
    QCOMPARE(h.window->idleTicks(), 0);
    QVERIFY(h.speaker.lines.isEmpty());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
