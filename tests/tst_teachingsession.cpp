// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// A teaching session's save without any window: what it writes, when it merges with another
// program's changes, and every way it can fail with the work handed back.

#include "knowledge/KnowledgeFile.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode)
{
    QFile file(path);
    QVERIFY(file.open(mode));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A first-run Data.ait in its own folder, loaded, and a working copy of its table.
struct Session
{
    QTemporaryDir dir;
    QString path = dir.filePath(KnowledgeFile::FileName);
    KnowledgeBase loaded;
    TeachingList list;
    std::unique_ptr<TeachingSession> session;

    explicit Session(KnowledgeFile::WriteFault fault = {})
    {
        if (!KnowledgeFile::write(path, *KnowledgeFile::firstRunBytes(u"zu"_s)))
            qFatal("cannot write %s", qPrintable(path));
        loaded = *KnowledgeFile::load(path).knowledge;
        list.adopt(TeachingList::prepare(loaded.keywordTable, list.collator()));
        session = std::make_unique<TeachingSession>(loaded, path, std::move(fault));
    }

    void commit(const QString &entry)
    {
        const QString withEnd = entry + u"\r\n"_s;
        session->committed(withEnd);
        const int row = list.findKey(TeachingList::keyOf(withEnd));
        if (row >= 0)
            list.replaceEntry(row, withEnd);
        else
            list.insertEntry(withEnd);
    }
};

} // namespace

class TestTeachingSession : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();
    void aSecondSaveComparesWithTheFirst();
    void unaskedWorkThatCannotBeWrittenIsKeptBeside();
};

enum class Meanwhile
{
    Nothing,
    EntryAdded,
    MadeUtf8,
    ReplacedByFolder,
    DiskFull,
};
Q_DECLARE_METATYPE(Meanwhile)

void TestTeachingSession::outcomes_data()
{
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<TeachingSession::After>("after");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("told"); // part of the merge report or of the failure's reason
    QTest::addColumn<bool>("stamped");

    using After = TeachingSession::After;
    QTest::newRow("untouched, going on: written and stamped")
        << Meanwhile::Nothing << After::GoingOn << true << QString() << true;
    QTest::newRow("untouched, ending: written, not read back")
        << Meanwhile::Nothing << After::Ending << true << QString() << false;
    QTest::newRow("an entry added elsewhere: merged and told")
        << Meanwhile::EntryAdded << After::GoingOn << true << u"其他的 465 条数据原样保留"_s
        << true;
    QTest::newRow("made UTF-8 elsewhere: not written over")
        << Meanwhile::MadeUtf8 << After::GoingOn << false << u"UTF-8"_s << false;
    QTest::newRow("replaced by a folder: not written over")
        << Meanwhile::ReplacedByFolder << After::Ending << false << u"被别的程序改动过"_s << false;
    QTest::newRow("a full disk: not written")
        << Meanwhile::DiskFull << After::GoingOn << false << u"磁盘空间不足"_s << false;
}

void TestTeachingSession::outcomes()
{
    QFETCH(Meanwhile, meanwhile);
    QFETCH(TeachingSession::After, after);
    QFETCH(bool, written);
    QFETCH(QString, told);
    QFETCH(bool, stamped);

    Session s(meanwhile == Meanwhile::DiskFull
                  ? KnowledgeFile::WriteFault([](QByteArray &) { return ENOSPC; })
                  : KnowledgeFile::WriteFault());
    s.commit(u"hello\\taught\\"_s);
    s.commit(u"newkey\\new\\"_s);
    QVERIFY(s.session->hasUnsavedWork());
    switch (meanwhile) {
    case Meanwhile::EntryAdded:
        writeAll(s.path, "|elsewhere\\x\\\r\n", QIODevice::Append);
        break;
    case Meanwhile::MadeUtf8:
        writeAll(s.path,
                 (u"|名字 |\r\n"_s + u"[AI_Dat]\r\n标题：\r\n|ab|\r\n"_s.repeated(6) +
                  u"[AI_Dat]\r\n|hi\\你好 \\\r\n"_s)
                     .toUtf8(),
                 QIODevice::WriteOnly);
        break;
    case Meanwhile::ReplacedByFolder:
        QVERIFY(QFile::remove(s.path));
        QVERIFY(QDir(s.dir.path()).mkdir(KnowledgeFile::FileName));
        break;
    case Meanwhile::Nothing:
    case Meanwhile::DiskFull:
        break;
    }
    const QByteArray before = readAll(s.path);

    const TeachingSession::Outcome outcome = s.session->save(s.list, after).run();

    QCOMPARE(bool(outcome.written), written);
    QCOMPARE(outcome.stamp.has_value(), stamped);
    if (written) {
        QVERIFY(outcome.unwritten.isEmpty());
        const KnowledgeFile::Loaded now = KnowledgeFile::load(s.path);
        QVERIFY(now.knowledge);
        const QStringList entries = now.knowledge->keywordTable.toList();
        QVERIFY(entries.contains(u"hello\\taught\\\r\n"_s));
        QVERIFY(entries.contains(u"newkey\\new\\\r\n"_s));
        QCOMPARE(entries.contains(u"elsewhere\\x\\\r\n"_s), meanwhile == Meanwhile::EntryAdded);
        QCOMPARE(entries.size(),
                 s.loaded.entryCount() + 1 + (meanwhile == Meanwhile::EntryAdded ? 1 : 0));
        if (told.isEmpty())
            QVERIFY(outcome.mergeReport.isEmpty());
        else
            QVERIFY2(outcome.mergeReport.contains(told), qPrintable(outcome.mergeReport));
        if (stamped)
            QVERIFY(!KnowledgeFile::changedSince(s.path, *outcome.stamp));
    } else {
        QVERIFY2(outcome.written.reason().contains(told), qPrintable(outcome.written.reason()));
        QCOMPARE(readAll(s.path), before); // whatever was there stays as it was
        // The work comes back whole, to be kept elsewhere.
        const Result<KnowledgeBase> kept = KnowledgeBase::parse(outcome.unwritten);
        QVERIFY(kept);
        QVERIFY(kept->keywordTable.toList().contains(u"newkey\\new\\\r\n"_s));
        QCOMPARE(kept->entryCount(), s.loaded.entryCount() + 1);
    }
}

void TestTeachingSession::aSecondSaveComparesWithTheFirst()
{
    // After its own save the file is this session's: a second save is no merge with "another
    // program", and a change made after the first save still is one.
    Session s;
    s.commit(u"first\\1\\"_s);
    TeachingSession::Outcome outcome =
        s.session->save(s.list, TeachingSession::After::GoingOn).run();
    QVERIFY(outcome.written);
    s.session->saved(outcome);
    s.commit(u"second\\2\\"_s);
    outcome = s.session->save(s.list, TeachingSession::After::GoingOn).run();
    QVERIFY(outcome.written);
    QVERIFY2(outcome.mergeReport.isEmpty(), qPrintable(outcome.mergeReport));
    s.session->saved(outcome);

    writeAll(s.path, "|elsewhere\\x\\\r\n", QIODevice::Append);
    s.commit(u"third\\3\\"_s);
    outcome = s.session->save(s.list, TeachingSession::After::Ending).run();
    QVERIFY(outcome.written);
    QVERIFY(!outcome.mergeReport.isEmpty());
    const QStringList entries = KnowledgeFile::load(s.path).knowledge->keywordTable.toList();
    for (const QString &entry :
         {u"first\\1\\\r\n"_s, u"second\\2\\\r\n"_s, u"third\\3\\\r\n"_s, u"elsewhere\\x\\\r\n"_s})
        QVERIFY2(entries.contains(entry), qPrintable(entry));

    s.session->end();
    QVERIFY(!s.session->hasUnsavedWork());
}

void TestTeachingSession::unaskedWorkThatCannotBeWrittenIsKeptBeside()
{
    Session s([](QByteArray &) { return EROFS; });
    s.commit(u"kept\\beside\\"_s);
    const QByteArray before = readAll(s.path);
    const TeachingSession::Outcome outcome =
        s.session->save(s.list, TeachingSession::After::Ending).runUnasked();
    QVERIFY(!outcome.written);
    QCOMPARE(readAll(s.path), before);
    const QStringList kept = KnowledgeFile::keptBeside(s.path);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(readAll(kept.first()), outcome.unwritten);
}

QTEST_GUILESS_MAIN(TestTeachingSession)
#include "tst_teachingsession.moc"
