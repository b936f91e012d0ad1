// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Hostile but ordinary use of the real window: closing it while the file is read or the
// teaching list made, a disk that takes neither the save nor the copy kept elsewhere, entries
// of many megabytes, a long conversation and messages sent faster than the robot answers. The
// user is told what happened in words, nothing taught is lost, and the conversation goes on.

#include "care/Care.h"
#include "conversation/ReplyEngine.h"
#include "knowledge/KnowledgeBase.h"
#include "support/WindowHarness.h"
#include "teaching/TeachingList.h"
#include "window/SaidLine.h"

#include <QDir>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <memory>
#include <optional>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList Table = {u"你好\\你好呀\\"_s, u"第\\你说的是[msg]\\"_s};
// The button of the save-failure box that keeps the work in a file elsewhere.
const QString Elsewhere = u"另存为(&A)…"_s;

// Files in the folder of path, hidden ones too.
QStringList filesBeside(const QString &path)
{
    return QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden);
}

// Text of the given length that none of the robot's checks takes for anything but text: no
// filter word, no cry for help, not the robot's name, nothing a file could split at.
QString plainText(qsizetype length)
{
    const QString pattern = u"妙语通的机器人会好好学习"_s;
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text += pattern;
    text.truncate(length);
    return text;
}

// Every file this process writes stops growing at limit bytes, as on a disk that fills part
// way through a write: the write that would pass it fails after some of it got there.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        // Past the limit the kernel signals the writer, which would end the test.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old = {};
    void (*m_oldHandler)(int) = nullptr;
};

enum class Work
{
    Loading,
    Entering,
};

enum class CopyFault
{
    FolderGone,
    FolderInTheWay,
    DiskFillsPartWay,
};

} // namespace

class TestAttacks : public QObject
{
    Q_OBJECT

private slots:
    void closingDuringLongWork_data();
    void closingDuringLongWork();
    void copyElsewhereFailsToo_data();
    void copyElsewhereFailsToo();
    void megabyteEntriesKeptWhole_data();
    void megabyteEntriesKeptWhole();
    void theLatestMessageIsAnswered_data();
    void theLatestMessageIsAnswered();
    void aCryInABurstIsAnsweredWithCare_data();
    void aCryInABurstIsAnsweredWithCare();
};

void TestAttacks::closingDuringLongWork_data()
{
    QTest::addColumn<Work>("work");
    QTest::newRow("reading the file at start-up") << Work::Loading;
    QTest::newRow("preparing the teaching list") << Work::Entering;
}

void TestAttacks::closingDuringLongWork()
{
    QFETCH(Work, work);
    WindowHarness h;
    // Shared with the worker, which the close no longer waits for: it may pass the gate after
    // this test has returned.
    const auto gate = std::make_shared<QSemaphore>();
    const auto holding = std::make_shared<std::atomic_bool>(false);
    h.adjustSeams = [gate, holding](FrmMainSeams &seams) {
        seams.beforeWork = [gate, holding] {
            if (holding->load())
                gate->acquire();
        };
    };
    h.writeKnowledge(knowledgeText(Table));
    h.make();
    QSignalSpy closed(h.window.get(), &FrmMain::closed);
    if (work == Work::Entering)
        QVERIFY(h.startWindow());
    const QByteArray before = h.fileBytes();
    const qsizetype saidBefore = h.speaker.lines.size();

    // The work waits on its worker while the close button is pressed.
    *holding = true;
    if (work == Work::Loading) {
        QVERIFY(h.window->start());
    } else {
        h.send(u"/teach"_s);
        h.window->replyTick();
    }
    QVERIFY(h.window->busy());
    h.window->close();
    *holding = false;
    gate->release();

    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(!h.window->isVisible());
    QVERIFY(h.shown.isEmpty()); // nothing to ask: nothing was taught
    QCOMPARE(h.fileBytes(), before);
    QCOMPARE(filesBeside(h.dataPath()), QStringList{KnowledgeFile::FileName});
    // Once the close is asked for, the work is of no use: the robot should not go on to greet
    // or to announce teaching as it disappears.
    QCOMPARE(h.speaker.lines.mid(saidBefore), QStringList());
}

void TestAttacks::copyElsewhereFailsToo_data()
{
    QTest::addColumn<CopyFault>("fault");
    QTest::addColumn<QString>("cause");

    QTest::newRow("the folder chosen is gone") << CopyFault::FolderGone << u"不存在"_s;
    QTest::newRow("a folder has the name chosen") << CopyFault::FolderInTheWay << u"普通"_s;
    QTest::newRow("the disk fills part way") << CopyFault::DiskFillsPartWay << u"文件太大"_s;
}

void TestAttacks::copyElsewhereFailsToo()
{
    QFETCH(CopyFault, fault);
    QFETCH(QString, cause);

    WindowHarness h;
    QVERIFY(h.startWith(Table));
    h.enterTeaching();
    // Longer than the part of it the filling disk takes.
    const QString reply = plainText(8000);
    h.commit(u"新"_s, reply);
    const QByteArray before = h.fileBytes();

    QTemporaryDir elsewhere;
    QString copy = elsewhere.filePath(u"Data.ait"_s);
    if (fault == CopyFault::FolderGone)
        copy = elsewhere.filePath(u"gone/Data.ait"_s);
    else if (fault == CopyFault::FolderInTheWay)
        QVERIFY(QDir().mkdir(copy));
    h.writeFault = [](QByteArray &) { return ENOSPC; };
    h.choicesPressed = {Elsewhere}; // and then, unscripted, the first: teaching goes on
    h.savePaths = {copy};
    h.shown.clear();
    {
        std::optional<FileSizeLimit> limit;
        if (fault == CopyFault::DiskFillsPartWay)
            limit.emplace(4096);
        h.leaveTeaching();
    }

    // The save's failure, the copy's failure, and the choice again.
    QCOMPARE(h.shown.size(), 3);
    const ShownMessage &saveFailed = h.shown.at(0);
    QVERIFY(saveFailed.choices.contains(Elsewhere));
    QVERIFY2(saveFailed.prompt.contains(u"磁盘空间不足"_s), qPrintable(saveFailed.prompt));
    const QString copyFailed = h.shown.at(1).prompt;
    QVERIFY2(copyFailed.contains(u"另存"_s), qPrintable(copyFailed));
    QVERIFY2(copyFailed.contains(QDir::toNativeSeparators(copy)), qPrintable(copyFailed));
    QVERIFY2(copyFailed.contains(cause), qPrintable(copyFailed));
    QVERIFY2(copyFailed.contains(u"调教的内容还在"_s), qPrintable(copyFailed));
    QCOMPARE(h.shown.at(2).prompt, saveFailed.prompt);
    QCOMPARE(h.shown.at(2).choices, saveFailed.choices);

    // Nothing half-written anywhere, the file as it was, and everything taught still there.
    QCOMPARE(h.window->mode(), FrmMain::Mode::Teaching);
    QCOMPARE(h.window->teachingList().count(), int(Table.size()) + 1);
    QVERIFY(h.window->hasUnsavedWork());
    QCOMPARE(h.fileBytes(), before);
    QCOMPARE(filesBeside(h.dataPath()), QStringList{KnowledgeFile::FileName});
    if (fault != CopyFault::FolderGone)
        QCOMPARE(filesBeside(copy), QStringList());
    QCOMPARE(QFileInfo(copy).isDir(), fault == CopyFault::FolderInTheWay);

    // Once the disk has room again, leaving saves it all.
    h.writeFault = {};
    h.leaveTeaching();
    QCOMPARE(h.window->mode(), FrmMain::Mode::Conversation);
    h.send(u"新"_s);
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), reply);
}

void TestAttacks::megabyteEntriesKeptWhole_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("reply");

    // Five million characters: ten megabytes in the file.
    constexpr qsizetype Huge = 5'000'000;
    QTest::newRow("a 10 MB reply") << u"长回复"_s << plainText(Huge);
    QTest::newRow("a 10 MB key") << u"钥"_s + plainText(Huge) << u"短回复"_s;
}

void TestAttacks::megabyteEntriesKeptWhole()
{
    QFETCH(QString, key);
    QFETCH(QString, reply);

    WindowHarness h;
    QVERIFY(h.startWith(Table));
    h.enterTeaching();
    h.shown.clear();
    h.commit(key, reply);
    // Taken, not refused.
    QCOMPARE(h.shown.size(), 1);
    QCOMPARE(h.shown.at(0).icon, QMessageBox::Information);
    QCOMPARE(h.window->teachingList().count(), int(Table.size()) + 1);
    h.leaveTeaching();
    QCOMPARE(h.window->mode(), FrmMain::Mode::Conversation);

    // In the file whole, on one line of its own, and read back whole.
    const QByteArray line = '|' + *GbkCodec::encode(key + u'\\' + reply + u'\\') + "\r\n";
    const QByteArray saved = h.fileBytes();
    QCOMPARE(saved.count(line), 1);
    QVERIFY(saved.contains("\r\n" + line));
    const KnowledgeBase &knowledge = h.window->knowledge();
    QCOMPARE(knowledge.entryCount(), int(Table.size()) + 1);

    // The robot answers with it. A message holding the whole key is itself ten megabytes,
    // which the input box is not the place to test: the reply engine gets it directly.
    QString message = key;
    if (key.size() < 100) {
        h.send(message);
        h.window->replyTick();
        // Said in its first part, the transcript telling how much was left out.
        QCOMPARE(h.window->lastReply(), SaidLine::bounded(reply));
    } else {
        const Reply answer = ReplyEngine::respond(message, knowledge, u"阿木"_s, h.random, nullptr);
        QVERIFY(answer.text);
        QCOMPARE(*answer.text, reply);
    }
}

void TestAttacks::theLatestMessageIsAnswered_data()
{
    QTest::addColumn<int>("messages");
    QTest::addColumn<int>("perReply"); // messages sent before each tick of the reply timer

    QTest::newRow("a thousand, each after the last reply") << 1000 << 1;
    QTest::newRow("three in one second") << 3 << 3;
    QTest::newRow("fifty in one second, twice") << 100 << 50;
}

void TestAttacks::theLatestMessageIsAnswered()
{
    QFETCH(int, messages);
    QFETCH(int, perReply);

    WindowHarness h;
    QVERIFY(h.startWith(Table));
    const qsizetype saidBefore = h.speaker.lines.size();
    QStringList expected;
    for (int i = 0; i < messages; ++i) {
        h.send(u"第%1条"_s.arg(i));
        if ((i + 1) % perReply != 0)
            continue;
        h.window->replyTick();
        expected << u"你说的是第%1条"_s.arg(i);
    }
    QCOMPARE(h.speaker.lines.mid(saidBefore), expected);
    QCOMPARE(h.window->sentCount(), messages);
    QVERIFY(!h.timer("TimerRevert")->isActive());

    // Every message is in the transcript, in the order sent, each reply after its message.
    const QString transcript = h.transcript();
    qsizetype at = 0;
    for (int i = 0; i < messages; ++i) {
        at = transcript.indexOf(u"\n第%1条\n"_s.arg(i), at);
        QVERIFY2(at >= 0, qPrintable(u"message %1 is missing or out of order"_s.arg(i)));
        if ((i + 1) % perReply == 0) {
            at = transcript.indexOf(u"\n你说的是第%1条\n"_s.arg(i), at);
            QVERIFY2(at >= 0, qPrintable(u"reply %1 is missing or out of order"_s.arg(i)));
        }
    }
    QCOMPARE(transcript.count(u"你说的是"_s), expected.size());

    // Nothing is left waiting: the next message is answered as usual.
    h.send(u"你好"_s);
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), u"你好呀"_s);
}

void TestAttacks::aCryInABurstIsAnsweredWithCare_data()
{
    QTest::addColumn<QString>("cry");
    QTest::addColumn<QString>("next");
    QTest::newRow("taken back at once") << u"我不想活了"_s << u"算了"_s;
    QTest::newRow("followed by a greeting") << u"我真的想死"_s << u"你好"_s;
    QTest::newRow("how to help a friend, then thanks")
        << u"室友说想死，我要不要报警"_s << u"谢谢"_s;
}

void TestAttacks::aCryInABurstIsAnsweredWithCare()
{
    QFETCH(QString, cry);
    QFETCH(QString, next);

    WindowHarness h;
    QVERIFY(h.startWith(Table));
    const qsizetype saidBefore = h.speaker.lines.size();
    // Both within the second before the robot answers.
    h.send(cry);
    h.send(next);
    h.window->replyTick();

    const QStringList said = h.speaker.lines.mid(saidBefore);
    QVERIFY(!said.isEmpty());
    const bool cared = std::any_of(said.cbegin(), said.cend(), [](const QString &line) {
        return Care::builtIn().linesFor(Care::Concern::Self).contains(line) ||
               Care::builtIn().linesFor(Care::Concern::SomeoneElse).contains(line);
    });
    QVERIFY2(cared, qPrintable(said.join(u" / "_s)));
}

QTEST_MAIN(TestAttacks)
#include "tst_attacks.moc"
