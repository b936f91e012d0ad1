// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Teaching through the real window: entering, looking up, committing with its checks and
// message boxes, leaving with the save and reload, and the save's failure paths.

#include "knowledge/KnowledgeBase.h"
#include "support/WindowHarness.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingRules.h"

#include "app/TerminationSignals.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QTest>
#include <QTextDocumentFragment>
#include <csignal>

namespace {

const QStringList kTable = {
    QStringLiteral("!!\\你生气了吗?\\"),
    QStringLiteral("bye\\88.....\\BYE BYE!\\88888888\\"),
    QStringLiteral("hello\\Hi~很高兴能和你聊天\\HELLO,HOW ARE YOU?\\Hi~\\"),
    QStringLiteral("你好\\你好呀\\"),
};

const QString kMalformed = QStringLiteral("本次调教未能成功,可能的原因:\r1,关键字或智能回复为空;\r"
                                          "2,关键字含有“|”或“\\”符号.");
const QString kRude = QStringLiteral("本次调教未能成功,可能的原因:\r调教内容含有不良字眼.");

struct Teacher
{
    WindowHarness h;

    bool startTeaching(const QStringList &table = kTable)
    {
        if (!h.startWith(table))
            return false;
        h.enterTeaching();
        return h.window->mode() == FrmMain::Mode::Teaching;
    }
    QLineEdit *keyword() const { return h.control<QLineEdit>("TxtTeach1"); }
    QLineEdit *replies() const { return h.control<QLineEdit>("TxtTeach2"); }
    QPushButton *button(int index) const
    {
        return h.control<QPushButton>(
            QStringLiteral("CmdEdit%1").arg(index).toLatin1().constData());
    }
    void commit(const QString &key, const QString &text) { h.commit(key, text); }
    const TeachingList &list() const { return h.window->teachingList(); }
    QListView *view() const { return h.control<QListView>("ListDate"); }
    // Taught but not yet saved: a new entry in the working copy.
    bool startWithUnsavedWork()
    {
        if (!startTeaching())
            return false;
        commit(QStringLiteral("new"), QStringLiteral("reply"));
        h.shown.clear();
        return h.window->hasUnsavedWork();
    }
    void clickCloseGlyph()
    {
        auto *glyph = h.control<QWidget>("LabClose");
        QTest::mouseClick(glyph, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(h.settle());
    }
    bool savedNewEntry() const { return h.fileBytes().contains("\r\n|new\\reply\\\r\n"); }
};

const QString kStay = QStringLiteral("继续调教(&K)");
const QString kElsewhere = QStringLiteral("另存为(&A)…");
const QString kGiveUp = QStringLiteral("放弃修改(&D)");

} // namespace

class TestTeaching : public QObject
{
    Q_OBJECT

private slots:
    void teachButtonAfterAMisunderstanding();
    void lookupFollowsTheKeywordBox_data();
    void lookupFollowsTheKeywordBox();
    void pickingAnEntryShowsIt();
    void arrowKeysInTheListShowTheEntry();
    void commitRefusesAndKeepsTheBoxes_data();
    void commitRefusesAndKeepsTheBoxes();
    void commitRefusesRudeWordsAndEmptiesTheBoxes_data();
    void commitRefusesRudeWordsAndEmptiesTheBoxes();
    void commitAddsOrReplaces_data();
    void commitAddsOrReplaces();
    void leavingSavesSortedAndReloads();
    void sortedFileSavesBackByteForByte();
    void emptyTableSavesNoEntries();
    void failedSaveKeepsTeachingAndTheOldFile();
    void actionsDoNothingOutsideTeaching();
    void enteringTwiceKeepsOneCopy();
    void showListOverTheTranscript();
    void hintWhenAKeyCanNeverAnswer_data();
    void hintWhenAKeyCanNeverAnswer();
    void hintGivesWayToTheNextKeystroke();
    void focusIntoTheListPicksNothing_data();
    void focusIntoTheListPicksNothing();
    void closingAsksAboutUnsavedWork_data();
    void closingAsksAboutUnsavedWork();
    void closingWhenTheSaveFails_data();
    void closingWhenTheSaveFails();
    void saveElsewhereAfterAFailedSave();
    void leaveWithoutSavingAfterConfirming();
    void unaskedSaveWritesOnlyUnsavedWork();
    void terminationSignalSavesUnsavedWork();
    void longReplySurvivesTheRoundTrip();
    void robEntryLineEnds();
};

void TestTeaching::teachButtonAfterAMisunderstanding()
{
    Teacher t;
    QVERIFY(t.h.startWith(kTable));
    t.h.send(QStringLiteral("Good Night"));
    t.h.window->replyTick();
    auto *teach = t.h.control<QPushButton>("CmdTeach");
    QVERIFY(teach->isEnabled());
    teach->click();
    QVERIFY(t.h.settle());

    QVERIFY((t.h.window->mode() == FrmMain::Mode::Teaching));
    QCOMPARE(t.keyword()->text(), QStringLiteral("goodnight"));
    QCOMPARE(t.h.window->focusWidget(), t.replies());
    QCOMPARE(t.h.label("LabRTip"), QStringLiteral("[学习中。。]"));
    QVERIFY(!t.h.timer("TimerActive")->isActive());
    QVERIFY(!teach->isEnabled());
    QCOMPARE(t.list().count(), kTable.size());
    QVERIFY(t.h.transcript().contains(QStringLiteral("\n    进入调教模式\n")));
}

void TestTeaching::lookupFollowsTheKeywordBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QString hello = u"Hi~很高兴能和你聊天\\HELLO,HOW ARE YOU?\\Hi~\\"_qs;
    QTest::newRow("exact key") << u"hello"_qs << hello;
    QTest::newRow("spaces and capitals normalised") << u" He llo "_qs << hello;
    QTest::newRow("one more letter") << u"hellox"_qs << QString();
    QTest::newRow("Chinese key") << u"你好"_qs << u"你好呀\\"_qs;
}

void TestTeaching::lookupFollowsTheKeywordBox()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Teacher t;
    QVERIFY(t.startTeaching());
    t.replies()->setText(QStringLiteral("typed before"));
    t.keyword()->setText(typed);
    QCOMPARE(t.replies()->text(), shown);
}

void TestTeaching::pickingAnEntryShowsIt()
{
    Teacher t;
    QVERIFY(t.startTeaching());
    t.button(3)->click();
    auto *view = t.h.control<QListView>("ListDate");
    const int row = t.list().findKey(QStringLiteral("bye"));
    QVERIFY(row >= 0);
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(t.keyword()->text(), QStringLiteral("bye"));
    QCOMPARE(t.replies()->text(), QStringLiteral("88.....\\BYE BYE!\\88888888\\"));
}

void TestTeaching::arrowKeysInTheListShowTheEntry()
{
    Teacher t;
    QVERIFY(t.startTeaching());
    t.button(3)->click();
    auto *view = t.h.control<QListView>("ListDate");
    const int bye = t.list().findKey(QStringLiteral("bye"));
    view->setCurrentIndex(view->model()->index(bye, 0));
    QTest::keyClick(view, Qt::Key_Down);
    const QString next = TeachingList::keyOf(t.list().entryAt(bye + 1));
    QCOMPARE(t.keyword()->text(), next);
    QCOMPARE(t.replies()->text(), TeachingRules::repliesOf(t.list().entryAt(bye + 1)));
}

void TestTeaching::commitRefusesAndKeepsTheBoxes_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("bar in key") << u"a|b"_qs << u"x"_qs << kMalformed;
    QTest::newRow("backslash in key") << u"a\\b"_qs << u"x"_qs << kMalformed;
    QTest::newRow("empty key") << QString() << u"x"_qs << kMalformed;
    QTest::newRow("spaces for a key") << u"   "_qs << u"x"_qs << kMalformed;
    QTest::newRow("empty replies") << u"k"_qs << QString() << kMalformed;
    QTest::newRow("spaces for replies") << u"k"_qs << u"  "_qs << kMalformed;
    // Line ends are dropped from what is stored: what is left is judged.
    QTest::newRow("only line ends for a key") << u" \n"_qs << u"x"_qs << kMalformed;
    QTest::newRow("only CR LF for a key") << u"\r\n"_qs << u"x"_qs << kMalformed;
    QTest::newRow("only line ends for replies") << u"k"_qs << u"\r\n \n"_qs << kMalformed;
    // A reply's refusal names what the reply holds, not the key's rules.
    QTest::newRow("bar in a reply")
        << u"k"_qs << u"a|b"_qs << u"本次调教未能成功,可能的原因:\r智能回复里不能含有“|”。"_qs;
    QTest::newRow("marker in a reply")
        << u"k"_qs << u"a[AI_Dat]b"_qs
        << u"本次调教未能成功,可能的原因:\r智能回复里不能含有“[AI_Dat]”。"_qs;
    // The line end is dropped before storing, which would close the marker up.
    QTest::newRow("marker split by a line end")
        << u"k"_qs << u"a[AI_Dat\r]b"_qs
        << u"本次调教未能成功,可能的原因:\r智能回复里不能含有“[AI_Dat]”。"_qs;
    QTest::newRow("bar in key and reply: the key's box") << u"a|b"_qs << u"a|b"_qs << kMalformed;
    QTest::newRow("text GBK cannot hold")
        << u"k"_qs << u"a😀"_qs
        << u"本次调教未能成功,可能的原因:\r调教内容含有无法保存的字符“😀”。"_qs;
    // Characters no one can see are named by their code point.
    QTest::newRow("a right-to-left override")
        << u"k\u202E"_qs << u"x"_qs
        << u"本次调教未能成功,可能的原因:\r调教内容含有无法保存的字符“U+202E”。"_qs;
    QTest::newRow("a zero-width space")
        << u"k"_qs << u"a\u200Bb"_qs
        << u"本次调教未能成功,可能的原因:\r调教内容含有无法保存的字符“U+200B”。"_qs;
}

void TestTeaching::commitRefusesAndKeepsTheBoxes()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QString, prompt);
    Teacher t;
    QVERIFY(t.startTeaching());
    t.commit(key, text);
    QCOMPARE(t.h.shown.size(), 1);
    QCOMPARE(t.h.shown.at(0).title, QStringLiteral("ERR"));
    QCOMPARE(t.h.shown.at(0).prompt, prompt);
    QCOMPARE(t.h.shown.at(0).icon, QMessageBox::Warning);
    QCOMPARE(t.h.shown.at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(t.keyword()->text(), key);
    QCOMPARE(t.replies()->text(), text);
    QCOMPARE(t.list().count(), kTable.size());
}

void TestTeaching::commitRefusesRudeWordsAndEmptiesTheBoxes_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::newRow("rude reply") << u"k"_qs << u"oh fuck"_qs << true;
    QTest::newRow("capitals in a reply are not matched") << u"k"_qs << u"FUCK"_qs << false;
    QTest::newRow("key is lower-cased before the check") << u"FUCK"_qs << u"x"_qs << true;
}

void TestTeaching::commitRefusesRudeWordsAndEmptiesTheBoxes()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, refused);
    Teacher t;
    QVERIFY(t.startTeaching());
    t.commit(key, text);
    QCOMPARE(t.h.shown.size(), 1);
    QCOMPARE(t.h.shown.at(0).prompt == kRude, refused);
    QCOMPARE(t.list().count(), kTable.size() + (refused ? 0 : 1));
    QCOMPARE(t.keyword()->text(), QString());
    QCOMPARE(t.replies()->text(), QString());
}

void TestTeaching::commitAddsOrReplaces_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("added");
    QTest::newRow("new key") << u"New Key"_qs << u"a\\b"_qs << u"newkey\\a\\b\\\r\n"_qs << 1;
    QTest::newRow("new key, trailing backslash kept single")
        << u"newkey"_qs << u"a\\b\\"_qs << u"newkey\\a\\b\\\r\n"_qs << 1;
    QTest::newRow("replies kept as typed") << u"k"_qs << u" A b "_qs << u"k\\ A b \\\r\n"_qs << 1;
    QTest::newRow("existing key replaced") << u"bye"_qs << u"再见"_qs << u"bye\\再见\\\r\n"_qs << 0;
    QTest::newRow("last entry replaced") << u"你好"_qs << u"嗨"_qs << u"你好\\嗨\\\r\n"_qs << 0;
}

void TestTeaching::commitAddsOrReplaces()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QString, item);
    QFETCH(int, added);
    Teacher t;
    QVERIFY(t.startTeaching());
    const int oldRow = t.list().findKey(TeachingList::keyOf(item));
    t.commit(key, text);

    QCOMPARE(t.list().count(), kTable.size() + added);
    const int row = t.list().findKey(TeachingList::keyOf(item));
    QCOMPARE(t.list().entryAt(row), item);
    if (!added)
        QCOMPARE(row, oldRow);
    QCOMPARE(t.h.shown.size(), 1);
    QCOMPARE(t.h.shown.at(0).title, QStringLiteral("调教成功!"));
    QCOMPARE(t.h.shown.at(0).prompt, QStringLiteral("调教成功!\r机器人会好好学习滴^_^"));
    QCOMPARE(t.h.shown.at(0).icon, QMessageBox::Information);
    QCOMPARE(t.h.shown.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(t.keyword()->text(), QString());
    QCOMPARE(t.replies()->text(), QString());
}

void TestTeaching::leavingSavesSortedAndReloads()
{
    Teacher t;
    // "[rob]" last, as in a first-run file: the save moves it to its sorted place.
    QVERIFY(t.startTeaching({u"bye\\88\\"_qs, u"hello\\Hi~\\"_qs, u"[rob]\\哎\\"_qs}));
    t.commit(QStringLiteral("abc"), QStringLiteral("字母"));
    const QByteArray before = t.h.fileBytes();
    const int lines = t.h.speaker.lines.size();

    t.button(2)->click();
    QVERIFY(t.h.settle());
    const QByteArray after = t.h.fileBytes();
    const qsizetype tableStart = before.lastIndexOf("[AI_Dat]") + 8;
    QCOMPARE(after.left(tableStart), before.left(tableStart));
    QCOMPARE(after.mid(tableStart),
             *GbkCodec::encode(
                 u"\r\n|[rob]\\哎\\\r\n|abc\\字母\\\r\n|bye\\88\\\r\n|hello\\Hi~\\\r\n"_qs));

    QVERIFY(!(t.h.window->mode() == FrmMain::Mode::Teaching));
    QCOMPARE(t.h.speaker.lines.at(lines), QStringLiteral("    退出调教模式"));
    QCOMPARE(t.h.speaker.lines.size(), lines + 2); // then a greeting from the reload
    QCOMPARE(t.h.label("LabSmartWord"), QStringLiteral("数据：4个"));
    QCOMPARE(t.h.label("LabRTip"), QStringLiteral("[在线]"));
    QVERIFY(t.h.timer("TimerActive")->isActive());
    QVERIFY(!t.h.control<QListView>("ListDate")->isVisible());
    QCOMPARE(t.list().count(), 0);
    QVERIFY(t.keyword()->text().isEmpty());

    // What was taught answers now.
    t.h.send(QStringLiteral("ABC"));
    t.h.window->replyTick();
    QCOMPARE(t.h.window->lastReply(), QStringLiteral("字母"));
}

void TestTeaching::sortedFileSavesBackByteForByte()
{
    Teacher t;
    t.h.answers = {u"zu"_qs};
    t.h.make();
    QVERIFY(t.h.startWindow()); // the full default knowledge
    t.h.enterTeaching();
    t.button(2)->click();
    QVERIFY(t.h.settle());
    const QByteArray firstSave = t.h.fileBytes();
    QCOMPARE(t.h.window->knowledge().entryCount(), 465);
    QVERIFY(t.h.window->knowledge().keywordTable.last() != QStringLiteral("[rob]\\"));

    t.h.enterTeaching();
    t.button(2)->click();
    QVERIFY(t.h.settle());
    QCOMPARE(t.h.fileBytes(), firstSave);
}

void TestTeaching::emptyTableSavesNoEntries()
{
    Teacher t;
    QVERIFY(t.startTeaching({}));
    t.button(2)->click();
    QVERIFY(t.h.settle());
    QVERIFY(t.h.fileBytes().endsWith("[AI_Dat]\r\n"));
    QCOMPARE(t.h.label("LabSmartWord"), QStringLiteral("数据：0个"));
}

void TestTeaching::failedSaveKeepsTeachingAndTheOldFile()
{
    Teacher t;
    QVERIFY(t.startTeaching());
    t.commit(QStringLiteral("new"), QStringLiteral("reply"));
    t.h.shown.clear();
    const QByteArray before = t.h.fileBytes();
    QFile::setPermissions(t.h.dataPath(), QFile::ReadOwner);

    t.button(2)->click();
    QVERIFY(t.h.settle());
    QCOMPARE(t.h.shown.size(), 1);
    QCOMPARE(t.h.shown.at(0).title, QStringLiteral("妙语通"));
    QVERIFY(t.h.shown.at(0).prompt.contains(QStringLiteral("Data.ait")));
    QVERIFY((t.h.window->mode() == FrmMain::Mode::Teaching));
    QCOMPARE(t.list().count(), kTable.size() + 1);
    QCOMPARE(t.h.fileBytes(), before);

    // Once the file can be written again, the same working copy is saved.
    QFile::setPermissions(t.h.dataPath(), QFile::ReadOwner | QFile::WriteOwner);
    t.button(2)->click();
    QVERIFY(t.h.settle());
    QVERIFY(!(t.h.window->mode() == FrmMain::Mode::Teaching));
    QCOMPARE(t.h.window->knowledge().entryCount(), kTable.size() + 1);
}

void TestTeaching::actionsDoNothingOutsideTeaching()
{
    Teacher t;
    QVERIFY(t.h.startWith(kTable));
    const QByteArray before = t.h.fileBytes();
    t.h.window->activateWindow();
    for (int i = 1; i <= 3; ++i)
        t.button(i)->click();
    QTest::keyClick(t.h.window.get(), Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(t.h.window.get(), Qt::Key_O, Qt::AltModifier);
    QCOMPARE(t.h.fileBytes(), before);
    QVERIFY(t.h.shown.isEmpty());
    QVERIFY(!t.h.control<QListView>("ListDate")->isVisible());
}

void TestTeaching::enteringTwiceKeepsOneCopy()
{
    Teacher t;
    QVERIFY(t.startTeaching());
    t.commit(QStringLiteral("new"), QStringLiteral("reply"));
    t.h.enterTeaching();
    QCOMPARE(t.list().count(), kTable.size() + 1);
}

void TestTeaching::showListOverTheTranscript()
{
    Teacher t;
    QVERIFY(t.startTeaching());
    auto *view = t.h.control<QListView>("ListDate");
    QVERIFY(!view->isVisible());
    t.button(3)->click();
    QVERIFY(view->isVisible());
    QCOMPARE(view->x(), 0);
    QCOMPARE(view->model()->rowCount(), kTable.size());
}

void TestTeaching::hintWhenAKeyCanNeverAnswer_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("hint"); // empty: the usage line stays

    const QString usage = QStringLiteral("说明：多条回复请用“\\”分隔.");
    QTest::newRow("hidden by an earlier, shorter key")
        << QStringLiteral("你好吗")
        << QStringLiteral("提示：含有“你好吗”的消息会先按关键字“你好”回答。");
    QTest::newRow("hidden by the earliest of several")
        << QStringLiteral("hellobye")
        << QStringLiteral("提示：含有“hellobye”的消息会先按关键字“bye”回答。");
    QTest::newRow("a key holding markup shows as typed")
        << QStringLiteral("你好<b>x</b>")
        << QStringLiteral("提示：含有“你好<b>x</b>”的消息会先按关键字“你好”回答。");
    QTest::newRow("a new key nothing hides") << QStringLiteral("晚安") << usage;
    QTest::newRow("an entry replacing itself") << QStringLiteral("hello") << usage;
    QTest::newRow("a shorter key sorting later hides nothing") << QStringLiteral("b") << usage;
    QTest::newRow("the robot's name")
        << QStringLiteral("阿木在吗")
        << QStringLiteral("提示：消息里的“阿木”会先换成“[rob]”，关键字里请写成“[rob]”。");
    QTest::newRow("a command") << QStringLiteral("/help")
                               << QStringLiteral(
                                      "提示：“/help”是命令，发送它会执行命令，这条回复用不上。");
    QTest::newRow("a calculation")
        << QStringLiteral("计算器")
        << QStringLiteral("提示：以“计算”开头的消息会交给计算器，这条回复用不上。");
    QTest::newRow("a crisis phrase")
        << QStringLiteral("我想死")
        << QStringLiteral("提示：含有“我想死”的消息会得到关心的回应，这条回复用不上。");
}

void TestTeaching::hintWhenAKeyCanNeverAnswer()
{
    QFETCH(QString, key);
    QFETCH(QString, hint);
    Teacher t;
    QVERIFY(t.startTeaching());
    const qsizetype before = t.list().count();
    auto *tip = t.h.control<QLabel>("LabTip");
    // Said while the key is typed, before the commit, and to a screen reader too.
    t.keyword()->setText(key);
    QCOMPARE(tip->text(), hint);
    QCOMPARE(tip->accessibleName(), hint.startsWith(QStringLiteral("提示")) ? hint : QString());

    t.commit(key, QStringLiteral("回复"));
    // The commit itself goes through whatever the hint says.
    QCOMPARE(t.list().findKey(key) >= 0, true);
    QVERIFY(t.list().count() >= before);
    QCOMPARE(tip->text(), hint);
    QCOMPARE(tip->textFormat(), Qt::PlainText);
    // The tooltip, however it is marked up, reads as the hint.
    QCOMPARE(QTextDocumentFragment::fromHtml(tip->toolTip()).toPlainText(),
             hint.startsWith(QStringLiteral("提示")) ? hint : QString());
}

void TestTeaching::hintGivesWayToTheNextKeystroke()
{
    Teacher t;
    QVERIFY(t.startTeaching());
    auto *tip = t.h.control<QLabel>("LabTip");
    const QString usage = tip->text();
    t.commit(QStringLiteral("你好吗"), QStringLiteral("还好"));
    QVERIFY(tip->text().startsWith(QStringLiteral("提示")));
    QTest::keyClick(t.keyword(), Qt::Key_A);
    QCOMPARE(tip->text(), usage);

    t.commit(QStringLiteral("你好吗"), QStringLiteral("还好"));
    QVERIFY(tip->text().startsWith(QStringLiteral("提示")));
    t.button(2)->click(); // leaving teaching mode brings the usage line back too
    QVERIFY(t.h.settle());
    QCOMPARE(t.h.window->mode(), FrmMain::Mode::Conversation);
    QCOMPARE(tip->text(), usage);
}

void TestTeaching::focusIntoTheListPicksNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("pickedRow"); // -1: nothing picked
    QTest::newRow("Shift+Tab from the keyword box") << u"backtab"_qs << -1;
    QTest::newRow("Tab into it") << u"tab"_qs << -1;
    QTest::newRow("then Space") << u"space"_qs << 0;
    QTest::newRow("then Enter, which does not send") << u"enter"_qs << 0;
    QTest::newRow("then an arrow key") << u"down"_qs << 1;
    QTest::newRow("then a click") << u"click"_qs << 2;
}

void TestTeaching::focusIntoTheListPicksNothing()
{
    QFETCH(QString, how);
    QFETCH(int, pickedRow);
    Teacher t;
    QVERIFY(t.startTeaching());
    t.button(3)->click();
    t.h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.h.window.get()));
    t.keyword()->setText(QStringLiteral("typed key"));
    t.replies()->setText(QStringLiteral("typed replies"));
    if (how == u"backtab"_qs) {
        t.keyword()->setFocus();
        QTest::keyClick(t.keyword(), Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        t.view()->setFocus(Qt::TabFocusReason);
    }
    QCOMPARE(QApplication::focusWidget(), t.view());
    const qint64 sent = t.h.window->sentCount();

    if (how == u"space"_qs)
        QTest::keyClick(t.view(), Qt::Key_Space);
    else if (how == u"enter"_qs)
        QTest::keyClick(t.view(), Qt::Key_Return);
    else if (how == u"down"_qs)
        QTest::keyClick(t.view(), Qt::Key_Down);
    else if (how == u"click"_qs)
        QTest::mouseClick(t.view()->viewport(), Qt::LeftButton, {},
                          t.view()->visualRect(t.view()->model()->index(2, 0)).center());

    if (pickedRow < 0) {
        QCOMPARE(t.keyword()->text(), QStringLiteral("typed key"));
        QCOMPARE(t.replies()->text(), QStringLiteral("typed replies"));
    } else {
        const QString entry = t.list().entryAt(pickedRow);
        QCOMPARE(t.keyword()->text(), TeachingList::keyOf(entry));
        QCOMPARE(t.replies()->text(), TeachingRules::repliesOf(entry));
    }
    QCOMPARE(t.h.window->sentCount(), sent);
}

void TestTeaching::closingAsksAboutUnsavedWork_data()
{
    QTest::addColumn<bool>("glyph"); // else the window manager's close (Alt+F4)
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("glyph, save") << true << int(QMessageBox::Save) << true << true;
    QTest::newRow("glyph, don't save") << true << int(QMessageBox::Discard) << true << false;
    QTest::newRow("glyph, cancel") << true << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("Alt+F4, save") << false << int(QMessageBox::Save) << true << true;
    QTest::newRow("Alt+F4, cancel") << false << int(QMessageBox::Cancel) << false << false;
}

void TestTeaching::closingAsksAboutUnsavedWork()
{
    QFETCH(bool, glyph);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    Teacher t;
    QVERIFY(t.startWithUnsavedWork());
    const QByteArray before = t.h.fileBytes();
    t.h.buttonsPressed = {QMessageBox::StandardButton(answer)};
    if (glyph)
        t.clickCloseGlyph();
    else
        t.h.window->close();
    QVERIFY(t.h.settle());

    QCOMPARE(t.h.shown.size(), 1);
    QCOMPARE(t.h.shown.at(0).title, QStringLiteral("妙语通"));
    QVERIFY(t.h.shown.at(0).prompt.contains(QStringLiteral("Data.ait")));
    QCOMPARE(t.h.shown.at(0).buttons,
             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(!t.h.window->isVisible(), closed);
    QCOMPARE(t.savedNewEntry(), saved);
    if (!saved)
        QCOMPARE(t.h.fileBytes(), before);
    if (!closed) {
        QVERIFY((t.h.window->mode() == FrmMain::Mode::Teaching));
        QVERIFY(t.list().findKey(QStringLiteral("new")) >= 0);
        QVERIFY(t.h.window->hasUnsavedWork());
    }
}

void TestTeaching::closingWhenTheSaveFails_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<bool>("closed");
    QTest::newRow("stay and try later") << QStringList{kStay} << false;
    QTest::newRow("give up, then think again") << QStringList{kGiveUp, kStay} << false;
    QTest::newRow("give up, confirmed") << QStringList{kGiveUp} << true;
}

void TestTeaching::closingWhenTheSaveFails()
{
    QFETCH(QStringList, choices);
    QFETCH(bool, closed);
    Teacher t;
    QVERIFY(t.startWithUnsavedWork());
    const QByteArray before = t.h.fileBytes();
    QFile::setPermissions(t.h.dataPath(), QFile::ReadOwner);
    t.h.choicesPressed = choices;
    // Save; then for the confirmation of giving up: No the first time, if asked twice.
    t.h.buttonsPressed = {QMessageBox::Save,
                          choices.size() > 1 ? QMessageBox::No : QMessageBox::Yes};
    t.clickCloseGlyph();

    QCOMPARE(t.h.shown.at(1).title, QStringLiteral("妙语通"));
    QVERIFY(t.h.shown.at(1).prompt.startsWith(QStringLiteral("没能保存数据文件：")));
    // Reached from closing the program: the words speak of quitting, not of leaving teaching.
    QVERIFY(t.h.shown.at(1).prompt.contains(QStringLiteral("妙语通先不退出")));
    if (choices.first() == kGiveUp)
        QVERIFY(t.h.shown.at(2).prompt.startsWith(QStringLiteral("确定不保存就退出妙语通吗？")));
    QCOMPARE(t.h.shown.at(1).choices, (QStringList{kStay, kElsewhere, kGiveUp}));
    QCOMPARE(!t.h.window->isVisible(), closed);
    QCOMPARE(t.h.fileBytes(), before);
    QCOMPARE(t.h.window->mode() == FrmMain::Mode::Teaching, !closed);
    QCOMPARE(t.list().count(), closed ? 0 : kTable.size() + 1);
}

void TestTeaching::saveElsewhereAfterAFailedSave()
{
    Teacher t;
    QVERIFY(t.startWithUnsavedWork());
    const QByteArray before = t.h.fileBytes();
    QFile::setPermissions(t.h.dataPath(), QFile::ReadOwner);
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(QStringLiteral("copy.ait"));
    // The first dialog is cancelled: back to the failure box.
    t.h.choicesPressed = {kElsewhere, kElsewhere};
    t.h.savePaths = {QString(), copy};
    t.button(2)->click();
    QVERIFY(t.h.settle());

    QCOMPARE(t.h.askedPaths.size(), 2);
    QVERIFY(t.h.askedPaths.at(0).endsWith(QStringLiteral("/Data.ait")));
    // Never in the folder whose file could not be written.
    QVERIFY(!t.h.askedPaths.at(0).contains(QFileInfo(t.h.dataPath()).absolutePath()));
    QFile written(copy);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    // What the failed save would have written: the header and lists, then the working copy.
    const qsizetype tableStart = before.lastIndexOf("[AI_Dat]") + 8;
    QCOMPARE(bytes.left(tableStart), before.left(tableStart));
    QVERIFY(bytes.contains("\r\n|new\\reply\\\r\n"));
    QCOMPARE(t.h.fileBytes(), before);

    // Back in conversation with Data.ait as it is on disk, told where the copy is.
    QVERIFY(!(t.h.window->mode() == FrmMain::Mode::Teaching));
    QCOMPARE(t.h.window->knowledge().entryCount(), kTable.size());
    QVERIFY(!t.h.window->hasUnsavedWork());
    QVERIFY(t.h.shown.last().prompt.contains(QDir::toNativeSeparators(copy)));
    QVERIFY(t.h.shown.last().prompt.contains(QStringLiteral("--data-dir")));
    QVERIFY(t.h.transcript().contains(QStringLiteral("    退出调教模式")));
}

void TestTeaching::leaveWithoutSavingAfterConfirming()
{
    Teacher t;
    QVERIFY(t.startWithUnsavedWork());
    const QByteArray before = t.h.fileBytes();
    QFile::setPermissions(t.h.dataPath(), QFile::ReadOwner);
    t.h.choicesPressed = {kGiveUp, kGiveUp};
    t.h.buttonsPressed = {QMessageBox::No, QMessageBox::Yes};
    t.button(2)->click();
    QVERIFY(t.h.settle());

    QCOMPARE(t.h.shown.size(), 4); // failure box, confirmation, failure box, confirmation
    QCOMPARE(t.h.shown.at(1).buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(t.h.shown.at(1).prompt.startsWith(QStringLiteral("确定不保存就退出调教吗？")));
    QVERIFY(t.h.shown.at(0).prompt.contains(QStringLiteral("留在调教模式")));
    QVERIFY(!(t.h.window->mode() == FrmMain::Mode::Teaching));
    QCOMPARE(t.h.fileBytes(), before);
    QCOMPARE(t.h.window->knowledge().entryCount(), kTable.size());
    QCOMPARE(t.h.label("LabRTip"), QStringLiteral("[在线]"));
}

void TestTeaching::unaskedSaveWritesOnlyUnsavedWork()
{
    Teacher t;
    QVERIFY(t.startTeaching());
    const QByteArray before = t.h.fileBytes();
    t.h.window->saveUnasked(); // nothing taught yet
    QCOMPARE(t.h.fileBytes(), before);
    t.commit(QStringLiteral("new"), QStringLiteral("reply"));
    t.h.window->saveUnasked();
    QVERIFY(t.savedNewEntry());
    QVERIFY(t.h.shown.size() == 1); // only the commit's box: no one was asked
}

void TestTeaching::terminationSignalSavesUnsavedWork()
{
    Teacher t;
    QVERIFY(t.startWithUnsavedWork());
    TerminationSignals::quitApplicationOnThem(qApp);
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // should the signal be lost
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(t.savedNewEntry());
    QCOMPARE(t.h.shown.size(), 0);
}

void TestTeaching::longReplySurvivesTheRoundTrip()
{
    Teacher t;
    QVERIFY(t.startTeaching());
    QString reply;
    for (int i = 0; reply.size() < 100000; ++i)
        reply += QStringLiteral("长回复%1\\").arg(i % 10);
    reply.truncate(100000);
    t.commit(QStringLiteral("long"), reply);
    const QString stored = reply.endsWith(u'\\') ? reply : reply + u'\\';
    t.keyword()->setText(QStringLiteral("long"));
    QCOMPARE(t.replies()->text(), stored);

    t.button(2)->click();
    QVERIFY(t.h.settle());
    std::optional<QString> entry;
    for (const QStringView e : t.h.window->knowledge().keywordTable) {
        if (KnowledgeEntry::key(e) == u"long"_qs)
            entry = e.toString();
    }
    QVERIFY(entry);
    QCOMPARE(TeachingRules::repliesOf(*entry), stored);
    t.h.enterTeaching();
    t.keyword()->setText(QStringLiteral("long"));
    QCOMPARE(t.replies()->text().size(), stored.size());
    QCOMPARE(t.replies()->text(), stored);
}

void TestTeaching::robEntryLineEnds()
{
    const QString robReplies =
        u"叫我干嘛？\\哎\\哦\\啊\\额\\Do you have anything?\\主人，有何吩咐？\\"_qs;
    const QByteArray robLine = "|" + *GbkCodec::encode(u"[rob]\\"_qs + robReplies);
    Teacher t;
    t.h.answers = {u"zu"_qs};
    t.h.make();
    QVERIFY(t.h.startWindow()); // a first-run file: "[rob]" last, with a second line end
    QVERIFY(t.h.fileBytes().endsWith(robLine + "\r\n\r\n"));

    // Unedited, the first-run file keeps that line end where "[rob]" moves to.
    t.h.enterTeaching();
    t.button(2)->click();
    QVERIFY(t.h.settle());
    QVERIFY(t.h.fileBytes().contains(robLine + "\r\n\r\n|"));

    // Picked, its replies show without the line end; committed unchanged, it has one.
    t.h.enterTeaching();
    t.keyword()->setText(QStringLiteral("[rob]"));
    QCOMPARE(t.replies()->text(), robReplies);
    t.button(1)->click();
    t.button(2)->click();
    QVERIFY(t.h.settle());
    const QByteArray saved = t.h.fileBytes();
    QVERIFY(saved.contains(robLine + "\r\n|"));
    QVERIFY(!saved.contains(robLine + "\r\n\r\n"));
    QCOMPARE(t.h.window->knowledge().entryCount(), 465);
}

QTEST_MAIN(TestTeaching)
#include "tst_teaching.moc"
