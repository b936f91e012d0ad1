// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// A conversation through the real window: sending, the reply tick, the commands, idle
// prompts and the keyboard, with the ticks called directly instead of waiting for timers.

#include "care/Care.h"
#include "conversation/RobotText.h"
#include "conversation/SourceLocation.h"
#include "support/WindowHarness.h"
#include "window/ChatTextBox.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kTable = {
    QStringLiteral("bye\\88.....\\BYE BYE!\\"),
    QStringLiteral("hello\\Hi~\\HELLO\\"),
    QStringLiteral("[rob]\\叫我干嘛？\\"),
};

QString header(const WindowHarness &h, const QString &speaker)
{
    const QDateTime now = h.clock.now();
    return speaker + u' ' + RobotText::dateText(now) + u' ' + RobotText::timeText(now) + u'\n';
}

} // namespace

using namespace Qt::StringLiterals;

class TestConversation : public QObject
{
    Q_OBJECT

private slots:
    void blankMessageOnlyWarns_data();
    void blankMessageOnlyWarns();
    void sendRecordsCountsAndArmsTheReply();
    void twoSendsGetOneReplyToTheLatest();
    void aReplyOfAnyLengthIsSaidInPart_data();
    void aReplyOfAnyLengthIsSaidInPart();
    void replyTickAnswers_data();
    void replyTickAnswers();
    void clearEmptiesAndLeavesTheTimerArmed();
    void getCodeSpeaksThenOpensTheSource();
    void sourceLocation_data();
    void sourceLocation();
    void exitClosesWithoutAGoodbye();
    void teachCommandEntersTeachingReadyForAKeyword();
    void idlePromptOnTheThirdTick_data();
    void idlePromptOnTheThirdTick();
    void activityResetsTheIdleCount();
    void caringAnswerSilencesTheIdleTimer_data();
    void caringAnswerSilencesTheIdleTimer();
    void enterSendsAndCtrlEnterBreaksTheLine();
    void hugePasteIsAnswered();
    void timersIntervals();
    void qqCommandsSay_data();
    void qqCommandsSay();
    void everyRobotLineReturnsFocusAndScrolls_data();
    void everyRobotLineReturnsFocusAndScrolls();
    void sentCountSurvivesClear();
    void keysMatchCaseSensitively_data();
    void keysMatchCaseSensitively();
};

void TestConversation::blankMessageOnlyWarns_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces") << u"    "_qs;
}

void TestConversation::blankMessageOnlyWarns()
{
    QFETCH(QString, typed);
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    const QString before = h.transcript();
    const QString status = h.label("LabStatus");
    h.speaker.lines.clear();

    h.send(typed);
    QCOMPARE(h.speaker.lines, QStringList{u"注意：请不要发送空白内容"_qs});
    QCOMPARE(h.transcript(), before);
    QCOMPARE(h.label("LabStatus"), status);
    QCOMPARE(h.window->sentCount(), 0);
    QVERIFY(!h.timer("TimerRevert")->isActive());
    QCOMPARE(h.control<QPlainTextEdit>("TxtSend")->toPlainText(), typed);
}

void TestConversation::sendRecordsCountsAndArmsTheReply()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    const QString before = h.transcript();

    h.send(QStringLiteral("Hello World"));
    QCOMPARE(h.transcript(), before + header(h, u"zu"_qs) + u"Hello World\n\n"_qs);
    QCOMPARE(h.window->pendingMessage(), QStringLiteral("helloworld"));
    QCOMPARE(h.label("LabStatus"), QStringLiteral("您已发送 1 条信息"));
    QCOMPARE(h.label("LabRTip"), QStringLiteral("[回复中。。]"));
    QVERIFY(h.timer("TimerRevert")->isActive());
    QVERIFY(h.control<QPlainTextEdit>("TxtSend")->toPlainText().isEmpty());

    h.send(QStringLiteral("a"));
    h.send(QStringLiteral("\n\n"));
    QCOMPARE(h.label("LabStatus"), QStringLiteral("您已发送 3 条信息"));
}

void TestConversation::aReplyOfAnyLengthIsSaidInPart_data()
{
    QTest::addColumn<int>("length");      // of the reply in the file
    QTest::addColumn<QString>("leftOut"); // the note that ends the line; none when said whole
    QTest::newRow("short") << 5 << QString();
    QTest::newRow("at the bound") << 10'000 << QString();
    QTest::newRow("one over") << 10'001
                              << u"……（这条回复太长，只说了前 10,000 字，后面的 1 字略去了。）"_s;
    QTest::newRow("twenty million")
        << 20'000'000 << u"……（这条回复太长，只说了前 10,000 字，后面的 19,990,000 字略去了。）"_s;
}

void TestConversation::aReplyOfAnyLengthIsSaidInPart()
{
    QFETCH(int, length);
    QFETCH(QString, leftOut);
    WindowHarness h;
    const QString reply(length, u'长');
    QVERIFY(h.startWith({u"long\\"_s + reply + u"\\"_s}));
    h.send(u"long"_s);
    h.window->replyTick();
    const QString said = leftOut.isEmpty() ? reply : reply.left(10'000) + leftOut;
    QCOMPARE(h.window->lastReply(), said);
    QCOMPARE(h.speaker.lines.last(), said);
    QVERIFY(h.transcript().contains(said));
}

void TestConversation::twoSendsGetOneReplyToTheLatest()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.send(QStringLiteral("hello"));
    h.send(QStringLiteral("bye"));
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), QStringLiteral("88....."));
    QVERIFY(!h.timer("TimerRevert")->isActive());
    QCOMPARE(h.transcript().count(QStringLiteral("阿木 ")), 2); // greeting and one reply
}

void TestConversation::replyTickAnswers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("teachEnabled");

    const QString replied = u"阿木 已经回复消息"_qs;
    QTest::newRow("keyword") << u"Oh HELLO there"_qs << u"Hi~"_qs << replied << false;
    QTest::newRow("rude word") << u"fuck you"_qs << u"表说粗话好吗——"_qs << replied << false;
    QTest::newRow("robot's name") << u"阿木在吗"_qs << u"叫我干嘛？"_qs << replied << false;
    QTest::newRow("not understood") << u"Good Night"_qs << u"你在说什么？"_qs
                                    << u"阿木不明觉厉...（需要你来调教调教）"_qs << true;
    QTest::newRow("help, name filled in")
        << u"/ HELP"_qs << u"阿木告诉你怎么用：\n/help    显示帮助"_qs << replied << false;
    QTest::newRow("calculation") << u"计算 2 + 3 * 4"_qs << u" 等于14呀,拜托来点更高难度的"_qs
                                 << replied << false;
}

void TestConversation::replyTickAnswers()
{
    QFETCH(QString, typed);
    QFETCH(QString, reply);
    QFETCH(QString, status);
    QFETCH(bool, teachEnabled);

    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.send(typed);
    h.timer("TimerActive")->stop(); // a kind-3 line leaves it as it was
    h.window->replyTick();
    QCOMPARE(h.label("LabRTip"), QStringLiteral("[在线]"));
    QVERIFY2(h.transcript().contains(header(h, u"阿木"_qs) + reply), qPrintable(h.transcript()));
    QCOMPARE(h.label("LabStatus"), status);
    QCOMPARE(h.control<QPushButton>("CmdTeach")->isEnabled(), teachEnabled);
    QCOMPARE(h.timer("TimerActive")->isActive(), !teachEnabled);
    QCOMPARE(h.speaker.lines.last(), h.window->lastReply());
}

void TestConversation::clearEmptiesAndLeavesTheTimerArmed()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.send(QStringLiteral("/clear"));
    const QString status = h.label("LabStatus");
    h.window->replyTick();
    QCOMPARE(h.transcript(), QString());
    QCOMPARE(h.label("LabStatus"), status);
    QVERIFY(h.timer("TimerRevert")->isActive());
    h.window->replyTick(); // ticks again with the same message: still nothing to see
    QCOMPARE(h.transcript(), QString());
}

void TestConversation::getCodeSpeaksThenOpensTheSource()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.send(QStringLiteral("/getcode"));
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), QStringLiteral("这个，你自己到ZAz里去找吧←_←'"));
    QCOMPARE(h.opened.size(), 1);
    const QUrl opened = h.opened.at(0);
    if (const QString address = SourceLocation::configuredAddress(); !address.isEmpty()) {
        QCOMPARE(opened, QUrl(address));
        QVERIFY(opened.scheme().startsWith(u"http"));
    } else {
        // This build names no address: the tests run from the build folder, not installed,
        // so it is the source folder, which holds the READMEs.
        QVERIFY2(opened.isLocalFile(), qPrintable(opened.toString()));
        const QDir folder(opened.toLocalFile());
        QVERIFY2(folder.exists(u"README.md"_qs), qPrintable(folder.path()));
    }
}

void TestConversation::sourceLocation_data()
{
    // Folders are named inside a temporary folder that holds "doc/", "源代码 甲/" and a file
    // "notes"; the expected place is an address or one of those folders, empty for none.
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("expected");

    const QString web = u"https://code.test/miaoyutong"_qs;
    QTest::newRow("an address wins over folders") << web << QStringList{u"doc"_qs} << web;
    QTest::newRow("the documentation first")
        << QString() << QStringList{u"doc"_qs, u"源代码 甲"_qs} << u"doc"_qs;
    QTest::newRow("a missing documentation folder is passed over")
        << QString() << QStringList{u"missing"_qs, u"源代码 甲"_qs} << u"源代码 甲"_qs;
    QTest::newRow("a file is not a folder")
        << QString() << QStringList{u"notes"_qs, u"源代码 甲"_qs} << u"源代码 甲"_qs;
    QTest::newRow("no source folder, as in a package")
        << QString() << QStringList{u"missing"_qs, QString()} << QString();
    QTest::newRow("an empty name is not the current folder")
        << QString() << QStringList{QString(), u"doc"_qs} << u"doc"_qs;
    QTest::newRow("a path through the program's folder is cleaned")
        << QString() << QStringList{u"bin/../doc"_qs} << u"doc"_qs;
}

void TestConversation::sourceLocation()
{
    QFETCH(QString, address);
    QFETCH(QStringList, folders);
    QFETCH(QString, expected);

    QTemporaryDir top;
    QVERIFY(top.isValid());
    const QDir root(top.path());
    QVERIFY(root.mkpath(u"doc"_qs) && root.mkpath(u"源代码 甲"_qs) && root.mkpath(u"bin"_qs));
    QFile notes(root.filePath(u"notes"_qs));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    for (QString &folder : folders) {
        if (!folder.isEmpty())
            folder = root.filePath(folder);
    }

    const QUrl chosen = SourceLocation::choose(address, folders);
    if (expected.isEmpty()) {
        QVERIFY2(chosen.isEmpty(), qPrintable(chosen.toString()));
    } else if (expected == address) {
        QCOMPARE(chosen, QUrl(address));
    } else {
        // A file URL that the desktop opens as the folder itself, spaces and Han included.
        QVERIFY(chosen.isLocalFile());
        QCOMPARE(chosen.toLocalFile(), root.filePath(expected));
        QCOMPARE(QUrl(chosen.toString(QUrl::FullyEncoded)).toLocalFile(), root.filePath(expected));
    }
}

void TestConversation::exitClosesWithoutAGoodbye()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    QVERIFY(h.window->isVisible());
    const int lines = h.speaker.lines.size();
    h.send(QStringLiteral("/EXIT"));
    h.window->replyTick();
    QVERIFY(!h.window->isVisible());
    QCOMPARE(h.speaker.lines.size(), lines);
}

void TestConversation::teachCommandEntersTeachingReadyForAKeyword()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.enterTeaching();
    QVERIFY((h.window->mode() == FrmMain::Mode::Teaching));
    QVERIFY(h.transcript().contains(QStringLiteral("\n    进入调教模式\n")));
    QCOMPARE(h.control<QLineEdit>("TxtTeach1")->text(), QString());
    QCOMPARE(h.window->focusWidget(), h.control<QLineEdit>("TxtTeach1"));
    QVERIFY(!h.timer("TimerRevert")->isActive());
    QVERIFY(!h.timer("TimerActive")->isActive());
    QCOMPARE(h.label("LabRTip"), QStringLiteral("[学习中。。]"));
}

void TestConversation::idlePromptOnTheThirdTick_data()
{
    QTest::addColumn<double>("choice");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("question") << 0.2 << u"你还好吧？"_qs;
    QTest::newRow("remark") << 0.7 << u"今天是"_qs;
}

void TestConversation::idlePromptOnTheThirdTick()
{
    QFETCH(double, choice);
    QFETCH(QString, prompt);
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    const int said = h.speaker.lines.size();
    h.window->idleTick();
    h.window->idleTick();
    QCOMPARE(h.speaker.lines.size(), said);
    QCOMPARE(h.window->idleTicks(), 2);
    h.random.queue({choice, 0.0});
    h.window->idleTick();
    QCOMPARE(h.speaker.lines.size(), said + 1);
    QVERIFY2(h.window->lastReply().startsWith(prompt), qPrintable(h.window->lastReply()));
    QCOMPARE(h.label("LabStatus"), QStringLiteral("阿木 向你发送消息"));
    QCOMPARE(h.window->idleTicks(), 0);
}

void TestConversation::activityResetsTheIdleCount()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    auto *input = h.control<QPlainTextEdit>("TxtSend");

    h.window->idleTick();
    h.window->idleTick();
    input->insertPlainText(QStringLiteral("x"));
    QCOMPARE(h.window->idleTicks(), 0);

    h.window->idleTick();
    h.window->idleTick();
    QTest::keyClick(input, Qt::Key_Shift);
    QCOMPARE(h.window->idleTicks(), 0);

    h.window->idleTick();
    h.window->idleTick();
    h.send(QStringLiteral("hello"));
    QCOMPARE(h.window->idleTicks(), 0);
}

void TestConversation::caringAnswerSilencesTheIdleTimer_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("crisis");
    QTest::newRow("wants to die") << u"我 想 死"_qs << true;
    QTest::newRow("does not want to live") << u"我真的不想活了"_qs << true;
    QTest::newRow("misses someone") << u"想死你了"_qs << false;
    QTest::newRow("laughing") << u"笑死我了"_qs << false;
}

void TestConversation::caringAnswerSilencesTheIdleTimer()
{
    QFETCH(QString, message);
    QFETCH(bool, crisis);
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    QTimer *idle = h.timer("TimerActive");

    h.send(message);
    h.window->replyTick();
    QCOMPARE(Care::builtIn().linesFor(Care::Concern::Self).contains(h.window->lastReply()), crisis);
    QCOMPARE(h.speaker.lines.last(), h.window->lastReply());
    QCOMPARE(idle->isActive(), !crisis);

    // The next message the user sends brings the idle prompts back.
    h.send(QStringLiteral("hello"));
    h.window->replyTick();
    QVERIFY(idle->isActive());
}

void TestConversation::enterSendsAndCtrlEnterBreaksTheLine()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    auto *input = h.control<QPlainTextEdit>("TxtSend");
    QTest::keyClicks(input, QStringLiteral("ab"));
    QTest::keyClick(input, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(input, QStringLiteral("cd"));
    QCOMPARE(input->toPlainText(), QStringLiteral("ab\ncd"));
    QCOMPARE(h.window->sentCount(), 0);

    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(h.window->sentCount(), 1);
    QVERIFY(h.transcript().endsWith(QStringLiteral("ab\ncd\n\n")));
    QCOMPARE(h.window->pendingMessage(), QStringLiteral("ab\ncd"));
}

void TestConversation::hugePasteIsAnswered()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.window->show();
    // One unbroken megabyte-long word: the worst case for wrapping at word boundaries.
    auto *input = h.control<ChatTextBox>("TxtSend");
    const QString text = QString(1 << 20, u'x') + QStringLiteral("bye");
    auto *pasted = new QMimeData; // the clipboard takes it
    pasted->setText(text);
    QApplication::clipboard()->setMimeData(pasted);
    input->paste();
    QCOMPARE(input->message(), text);
    QCOMPARE(input->wordWrapMode(), QTextOption::WrapAnywhere);
    h.control<QPushButton>("CmdSend")->click();
    QCOMPARE(input->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), QStringLiteral("88....."));
    // Sent as pasted, though held in many blocks; the transcript adds break chances of its own.
    QVERIFY(h.transcript().remove(QChar(0x200B)).contains(text + u"\n\n"_qs));
}

void TestConversation::timersIntervals()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    QCOMPARE(h.timer("TimerActive")->interval(), 7000);
    QCOMPARE(h.timer("TimerRevert")->interval(), 1000);
    QVERIFY(h.timer("TimerActive")->isActive());
    QVERIFY(!h.timer("TimerRevert")->isActive());
}

void TestConversation::qqCommandsSay_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("said");
    QTest::newRow("/qqt") << u"/qqt"_qs << u"不经意间你又被我玩了，哇哈哈哈哈o(^▽^)o"_qs;
    QTest::newRow("/qqtalk") << u"/qqtalk"_qs << u"程序猿都很忙啦，你直接更我聊天就行啦~ ←_←"_qs;
}

void TestConversation::qqCommandsSay()
{
    QFETCH(QString, typed);
    QFETCH(QString, said);
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.send(typed);
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), said);
    QCOMPARE(h.speaker.lines.last(), said);
    QVERIFY(h.transcript().endsWith(header(h, u"阿木"_qs) + said + u"\n\n"_qs));
}

void TestConversation::everyRobotLineReturnsFocusAndScrolls_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("greeting") << u"greeting"_qs;
    QTest::newRow("reply") << u"reply"_qs;
    QTest::newRow("not understood") << u"not understood"_qs;
    QTest::newRow("idle prompt") << u"idle"_qs;
    QTest::newRow("greeting after teaching") << u"after teaching"_qs;
}

void TestConversation::everyRobotLineReturnsFocusAndScrolls()
{
    QFETCH(QString, line);
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    auto *talk = h.control<QPlainTextEdit>("TxtTalk");
    for (int i = 0; i < 40; ++i)
        h.send(QStringLiteral("line %1").arg(i));
    talk->verticalScrollBar()->setValue(0);
    talk->setFocus();
    const QString before = h.transcript();

    if (line == u"greeting"_qs) {
        h.window.reset();
        h.make();
        QVERIFY(h.startWindow());
        talk = h.control<QPlainTextEdit>("TxtTalk");
    } else if (line == u"reply"_qs) {
        h.send(QStringLiteral("hello"));
        talk->setFocus();
        h.window->replyTick();
    } else if (line == u"not understood"_qs) {
        h.send(QStringLiteral("zzz"));
        talk->setFocus();
        h.window->replyTick();
    } else if (line == u"idle"_qs) {
        for (int i = 0; i < 3; ++i)
            h.window->idleTick();
    } else {
        h.enterTeaching();
        talk->verticalScrollBar()->setValue(0);
        h.leaveTeaching();
    }
    QVERIFY(h.transcript() != before);
    QCOMPARE(h.window->focusWidget(), h.control<QWidget>("TxtSend"));
    QVERIFY(talk->verticalScrollBar()->maximum() > 0 || line == u"greeting"_qs);
    QCOMPARE(talk->verticalScrollBar()->value(), talk->verticalScrollBar()->maximum());
}

void TestConversation::sentCountSurvivesClear()
{
    WindowHarness h;
    QVERIFY(h.startWith(kTable));
    h.send(QStringLiteral("a"));
    h.send(QStringLiteral("/clear"));
    h.window->replyTick();
    QCOMPARE(h.transcript(), QString());
    h.send(QStringLiteral("b"));
    QCOMPARE(h.window->sentCount(), 3);
    QCOMPARE(h.label("LabStatus"), QStringLiteral("您已发送 3 条信息"));
}

void TestConversation::keysMatchCaseSensitively_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reply");
    const QString notUnderstood = u"你在说什么？"_qs;
    QTest::newRow("lower-case key, capitals typed")
        << u"hello\\Hi~\\"_qs << u"HeLLo"_qs << u"Hi~"_qs;
    QTest::newRow("hand-edited capital key") << u"Hello\\Hi~\\"_qs << u"Hello"_qs << notUnderstood;
    QTest::newRow("hand-edited capital key, lower-case typed")
        << u"Hello\\Hi~\\"_qs << u"hello"_qs << notUnderstood;
}

void TestConversation::keysMatchCaseSensitively()
{
    QFETCH(QString, entry);
    QFETCH(QString, typed);
    QFETCH(QString, reply);
    WindowHarness h;
    QVERIFY(h.startWith({entry}));
    h.random.setFallback(0);
    h.send(typed);
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), reply);
}

QTEST_MAIN(TestConversation)
#include "tst_conversation.moc"
