// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Files the window cannot simply use, through its seams: not a regular file, too big, saved as
// UTF-8, with LF line ends; saves that fail for a named cause and reloads that fail. Each is
// answered in words, and neither the old file nor anything taught is lost.

#include "knowledge/KnowledgeBase.h"
#include "support/WindowHarness.h"
#include "teaching/TeachingList.h"

#include <QDir>
#include <QTest>
#include <cerrno>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList Table = {u"bye\\88\\"_s, u"你好\\你好呀\\"_s};

// Everything in the file's folder but the file itself: what a failed save must not leave.
QStringList strays(const WindowHarness &h)
{
    QStringList names = QFileInfo(h.dataPath()).dir().entryList(QDir::Files | QDir::Hidden);
    names.removeAll(KnowledgeFile::FileName);
    return names;
}

} // namespace

class TestFileFaults : public QObject
{
    Q_OBJECT

private slots:
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void refusesAFileAboveTheLimit();
    void utf8FileIsConvertedOnlyWhenChosen_data();
    void utf8FileIsConvertedOnlyWhenChosen();
    void lfOnlyFileTeachesAndSavesWithCrLf();
    void failedSaveNamesItsCause_data();
    void failedSaveNamesItsCause();
    void failedReloadStaysInTeaching();
    void changedByAnotherProgramDuringTeaching_data();
    void changedByAnotherProgramDuringTeaching();
    void keptWorkIsNamedInANoticeThatFits_data();
    void keptWorkIsNamedInANoticeThatFits();
};

void TestFileFaults::refusesWhatIsNotARegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a pipe") << u"fifo"_s;
    QTest::newRow("a link to /dev/zero") << u"device"_s;
    QTest::newRow("a folder") << u"folder"_s;
}

void TestFileFaults::refusesWhatIsNotARegularFile()
{
    QFETCH(QString, kind);
    WindowHarness h;
    const QByteArray path = QFile::encodeName(h.dataPath());
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    else if (kind == u"device")
        QVERIFY(QFile::link(u"/dev/zero"_s, h.dataPath()));
    else
        QVERIFY(QDir().mkdir(h.dataPath()));

    // A read from either would never end: the start must not even try.
    h.make();
    QVERIFY(!h.startWindow());
    QCOMPARE(h.shown.size(), 1);
    QCOMPARE(h.shown.at(0).icon, QMessageBox::Critical);
    QVERIFY2(h.shown.at(0).prompt.contains(u"不是普通的文件"_s), qPrintable(h.shown.at(0).prompt));
    QVERIFY(h.asked.isEmpty());                 // not taken for a first run
    QVERIFY(!QFileInfo(h.dataPath()).isFile()); // nor replaced by a first-run file
}

void TestFileFaults::refusesAFileAboveTheLimit()
{
    WindowHarness h;
    {
        QFile file(h.dataPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(KnowledgeFile::MaxFileSize + 1)); // sparse: takes no disk
    }
    h.make();
    QVERIFY(!h.startWindow());
    QCOMPARE(h.shown.size(), 1);
    QVERIFY2(h.shown.at(0).prompt.contains(u"1024 MB"_s), qPrintable(h.shown.at(0).prompt));
    QCOMPARE(QFileInfo(h.dataPath()).size(), KnowledgeFile::MaxFileSize + 1);
}

void TestFileFaults::utf8FileIsConvertedOnlyWhenChosen_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("extraEntry");
    QTest::addColumn<bool>("converted");
    QTest::addColumn<QString>("named");
    QTest::addColumn<int>("earlierBackups"); // Data.ait.utf8.bak, then Data.ait.utf8.1.bak, …

    QTest::newRow("convert") << QMessageBox::Yes << u"早\\早上好\\"_s << true << QString() << 0;
    QTest::newRow("convert beside two earlier backups")
        << QMessageBox::Yes << u"早\\早上好\\"_s << true << QString() << 2;
    QTest::newRow("leave it and quit")
        << QMessageBox::No << u"早\\早上好\\"_s << false << QString() << 0;
    QTest::newRow("a character GBK lacks")
        << QMessageBox::Yes << u"笑\\😀\\"_s << false << u"😀"_s << 0;
}

void TestFileFaults::utf8FileIsConvertedOnlyWhenChosen()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, extraEntry);
    QFETCH(bool, converted);
    QFETCH(QString, named);
    QFETCH(int, earlierBackups);

    WindowHarness h;
    const QString text = knowledgeText(Table + QStringList{extraEntry});
    const QByteArray original = text.toUtf8();
    {
        QFile file(h.dataPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(original);
    }
    QStringList earlier;
    for (int n = 0; n < earlierBackups; ++n) {
        earlier += h.dataPath() + (n == 0 ? u".utf8.bak"_s : u".utf8.%1.bak"_s.arg(n));
        QVERIFY(KnowledgeFile::write(earlier.last(), "earlier"));
    }
    // Named in the question; an earlier backup is never replaced.
    const QString backup =
        h.dataPath() +
        (earlierBackups == 0 ? u".utf8.bak"_s : u".utf8.%1.bak"_s.arg(earlierBackups));
    h.buttonsPressed = {answer};
    h.make();

    QCOMPARE(h.startWindow(), converted);
    QVERIFY(h.shown.at(0).prompt.contains(u"UTF-8"_s));
    QCOMPARE(h.shown.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(h.shown.at(0).prompt.contains(QDir::toNativeSeparators(backup)));
    for (const QString &path : std::as_const(earlier)) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("earlier"));
    }
    if (converted) {
        QCOMPARE(h.fileBytes(), *GbkCodec::encode(text));
        QFile kept(backup);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), original);
        h.send(u"你好"_s);
        h.window->replyTick();
        QCOMPARE(h.window->lastReply(), u"你好呀"_s);
    } else {
        QCOMPARE(h.fileBytes(), original);
        QVERIFY(!QFileInfo::exists(backup));
    }
    if (!named.isEmpty()) {
        QCOMPARE(h.shown.size(), 2);
        QVERIFY2(h.shown.at(1).prompt.contains(named), qPrintable(h.shown.at(1).prompt));
        QVERIFY(h.shown.at(1).prompt.contains(u"数据文件没有改动"_s));
    }
}

void TestFileFaults::lfOnlyFileTeachesAndSavesWithCrLf()
{
    WindowHarness h;
    const QString crlf = knowledgeText(Table);
    h.writeKnowledge(QString(crlf).replace(u"\r\n"_s, u"\n"_s));
    h.make();
    QVERIFY(h.startWindow());
    h.enterTeaching();

    // The lookup shows the replies without the row's line end; committed unchanged, they add
    // no reply made of a line end.
    h.control<QLineEdit>("TxtTeach1")->setText(u"你好"_s);
    QCOMPARE(h.control<QLineEdit>("TxtTeach2")->text(), u"你好呀\\"_s);
    h.control<QPushButton>("CmdEdit1")->click();
    h.commit(u"新"_s, u"新回复"_s);
    h.leaveTeaching();
    QCOMPARE(h.window->mode(), FrmMain::Mode::Conversation);

    // The save is the file as a CR LF file would have been, with the new entry in its place.
    const QByteArray saved = h.fileBytes();
    QCOMPARE(saved, *GbkCodec::encode(
                        knowledgeText({u"bye\\88\\"_s, u"你好\\你好呀\\"_s, u"新\\新回复\\"_s})));
    for (const QStringView entry : h.window->knowledge().keywordTable)
        QCOMPARE(KnowledgeEntry::replies(entry).filter(u"\n"_s), QStringList());

    h.send(u"你好"_s);
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), u"你好呀"_s);
}

void TestFileFaults::failedSaveNamesItsCause_data()
{
    QTest::addColumn<int>("error"); // 0: the data path is made a folder instead
    QTest::addColumn<QString>("cause");

    QTest::newRow("no space") << ENOSPC << u"磁盘空间不足"_s;
    QTest::newRow("over quota") << EDQUOT << u"磁盘空间不足"_s;
    QTest::newRow("read-only disk") << EROFS << u"磁盘是只读的"_s;
    QTest::newRow("no permission") << EACCES << u"没有访问"_s;
    QTest::newRow("not a file") << 0 << u"不是普通的文件"_s;
}

void TestFileFaults::failedSaveNamesItsCause()
{
    QFETCH(int, error);
    QFETCH(QString, cause);

    WindowHarness h;
    QVERIFY(h.startWith(Table));
    h.enterTeaching();
    h.commit(u"新"_s, u"新回复"_s);
    const QByteArray before = h.fileBytes();
    if (error != 0) {
        h.writeFault = [error](QByteArray &) { return error; };
    } else {
        QVERIFY(QFile::remove(h.dataPath()));
        QVERIFY(QDir().mkdir(h.dataPath()));
    }
    h.shown.clear();

    h.leaveTeaching();
    QCOMPARE(h.shown.size(), 1);
    QVERIFY2(h.shown.at(0).prompt.contains(cause), qPrintable(h.shown.at(0).prompt));
    QCOMPARE(h.window->mode(), FrmMain::Mode::Teaching);
    QCOMPARE(h.window->teachingList().count(), int(Table.size()) + 1);
    QCOMPARE(strays(h), QStringList());
    if (error == 0)
        return;
    QCOMPARE(h.fileBytes(), before);

    // Once the disk takes it, the same working copy is saved.
    h.writeFault = {};
    h.leaveTeaching();
    QCOMPARE(h.window->mode(), FrmMain::Mode::Conversation);
    QCOMPARE(h.window->knowledge().entryCount(), int(Table.size()) + 1);
}

void TestFileFaults::failedReloadStaysInTeaching()
{
    WindowHarness h;
    QVERIFY(h.startWith(Table));
    h.enterTeaching();
    h.commit(u"新"_s, u"新回复"_s);
    // A disk that garbles what it is given: the save succeeds, the reload cannot read it.
    h.writeFault = [](QByteArray &content) {
        content = "garbled";
        return 0;
    };
    h.shown.clear();

    h.leaveTeaching();
    QCOMPARE(h.shown.size(), 1);
    const QString said = h.shown.at(0).prompt;
    QVERIFY2(said.contains(u"已经保存"_s) && said.contains(u"无法重新读取"_s), qPrintable(said));
    QVERIFY(said.contains(u"用户名"_s)); // why: the garbled file has no header
    QVERIFY(!said.contains(u"没有改动"_s));
    QCOMPARE(h.window->mode(), FrmMain::Mode::Teaching);
    QCOMPARE(h.window->teachingList().count(), int(Table.size()) + 1);

    // Leaving again retries, with nothing taught lost.
    h.writeFault = {};
    h.leaveTeaching();
    QCOMPARE(h.window->mode(), FrmMain::Mode::Conversation);
    QCOMPARE(h.window->knowledge().entryCount(), int(Table.size()) + 1);
    h.send(u"新"_s);
    h.window->replyTick();
    QCOMPARE(h.window->lastReply(), u"新回复"_s);
}

void TestFileFaults::changedByAnotherProgramDuringTeaching_data()
{
    QTest::addColumn<QString>("otherProgramWrites"); // as GBK text; empty: bytes no one can load
    QTest::addColumn<bool>("unasked");               // saved by a termination signal
    QTest::addColumn<QString>("told");
    QTest::addColumn<bool>("mergedIntoTheFile");

    const QString added = knowledgeText(Table + QStringList{u"别处\\别处的回复\\"_s});
    QTest::newRow("an entry added: both kept, the user told")
        << added << false << u"其他的 3 条数据原样保留"_s << true;
    QTest::newRow("an entry added, saved unasked") << added << true << QString() << true;
    QTest::newRow("made unreadable: not written over, the user asked")
        << QString() << false << u"现在读不出来"_s << false;
    QTest::newRow("made unreadable, saved unasked: kept beside it")
        << QString() << true << QString() << false;
}

void TestFileFaults::changedByAnotherProgramDuringTeaching()
{
    QFETCH(QString, otherProgramWrites);
    QFETCH(bool, unasked);
    QFETCH(QString, told);
    QFETCH(bool, mergedIntoTheFile);

    WindowHarness h;
    QVERIFY(h.startWith(Table));
    h.enterTeaching();
    h.commit(u"教的"_s, u"教的回复"_s);
    if (otherProgramWrites.isEmpty()) {
        QFile file(h.dataPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a knowledge file");
    } else {
        h.writeKnowledge(otherProgramWrites);
    }
    const QByteArray theirs = h.fileBytes();
    h.shown.clear();

    if (unasked)
        h.window->saveUnasked();
    else
        h.leaveTeaching();
    if (!told.isEmpty()) {
        QVERIFY(!h.shown.isEmpty());
        QVERIFY2(h.shown.at(0).prompt.contains(told), qPrintable(h.shown.at(0).prompt));
    }

    const QStringList kept = KnowledgeFile::keptFiles(h.dataPath());
    if (!mergedIntoTheFile) {
        QCOMPARE(h.fileBytes(), theirs); // never written over
        QCOMPARE(h.window->mode(), FrmMain::Mode::Teaching);
        QCOMPARE(kept.size(), unasked ? 1 : 0);
        if (unasked) {
            // The next start points to the kept work, which holds what was taught.
            const Result<KnowledgeBase> keptWork = [&] {
                QFile file(kept.at(0));
                return file.open(QIODevice::ReadOnly) ? KnowledgeBase::parse(file.readAll())
                                                      : Result<KnowledgeBase>::failure({});
            }();
            QVERIFY(keptWork);
            QCOMPARE(keptWork->entryCount(), Table.size() + 1);
            h.window.reset();
            h.writeKnowledge(knowledgeText(Table));
            h.shown.clear();
            h.make();
            QVERIFY(h.startWindow());
            QVERIFY(!h.shown.isEmpty());
            QVERIFY2(h.shown.at(0).prompt.contains(QDir::toNativeSeparators(kept.at(0))),
                     qPrintable(h.shown.at(0).prompt));
        }
        return;
    }
    QVERIFY(kept.isEmpty());
    const Result<KnowledgeBase> saved = KnowledgeBase::parse(h.fileBytes());
    QVERIFY(saved);
    QCOMPARE(saved->entryCount(), Table.size() + 2);
    if (!unasked) {
        QCOMPARE(h.window->mode(), FrmMain::Mode::Conversation);
        for (const auto &[message, reply] :
             {std::pair(u"别处"_s, u"别处的回复"_s), std::pair(u"教的"_s, u"教的回复"_s)}) {
            h.send(message);
            h.window->replyTick();
            QCOMPARE(h.window->lastReply(), reply);
        }
    }
}

void TestFileFaults::keptWorkIsNamedInANoticeThatFits_data()
{
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QString>("more"); // what is said of the rest
    QTest::newRow("one") << 1 << 1 << QString();
    QTest::newRow("five") << 5 << 5 << QString();
    QTest::newRow("a hundred and sixty-one") << 161 << 5 << u"另外还有 156 个较早的文件"_s;
}

void TestFileFaults::keptWorkIsNamedInANoticeThatFits()
{
    QFETCH(int, kept);
    QFETCH(int, listed);
    QFETCH(QString, more);
    WindowHarness h;
    h.writeKnowledge(knowledgeText(Table));
    QStringList names;
    for (int i = 0; i < kept; ++i) {
        const QString name = h.dataPath() + u".未保存-20250101-%1.ait"_s.arg(100000 + i);
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        names.append(QDir::toNativeSeparators(name));
    }
    h.make();
    QVERIFY(h.startWindow());
    QVERIFY(!h.shown.isEmpty());
    const QString prompt = h.shown.at(0).prompt;
    // The newest ones are named; the notice stays a few lines long however many there are.
    for (int i = 0; i < kept; ++i)
        QCOMPARE(prompt.contains(names.at(i)), i >= kept - listed);
    QCOMPARE(prompt.count(u'\r'), 3 + listed + (more.isEmpty() ? 0 : 1));
    if (!more.isEmpty())
        QVERIFY2(prompt.contains(more), qPrintable(prompt));
}

QTEST_MAIN(TestFileFaults)
#include "tst_filefaults.moc"
