// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// A teaching session's save without any window: what it writes, when it merges with another
// program's changes, and every way it can fail with the work handed back.

#include "support/SessionFiles.h"

#include <optional>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The lock another window's save holds on the file while it saves.
struct FileLock
{
    int fd = -1;
    ~FileLock()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool take(const QString &path)
    {
        fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
        struct flock request = {};
        request.l_type = F_WRLCK;
        request.l_whence = SEEK_SET;
        return fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &request) == 0;
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
    void anotherProgramBetweenTheSteps_data();
    void anotherProgramBetweenTheSteps();
    void aFileReadThroughALink_data();
    void aFileReadThroughALink();
    void nothingTaughtLeavesAChangedFileAlone();
    void keptWorkFindsAFolder_data();
    void keptWorkFindsAFolder();
    void theEndAwaitsARunningSave_data();
    void theEndAwaitsARunningSave();
    void leftoversOfACrashAreRemoved_data();
    void leftoversOfACrashAreRemoved();
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
    const QStringList kept = KnowledgeFile::keptFiles(s.path);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(readAll(kept.first()), outcome.unwritten);
}

// ---- Another program between the save's steps ---------------------------------------------

enum class Act
{
    AppendsInPlace,     // writes a row into the file itself
    RenamesOver,        // writes a new file with a row more and renames it over the name
    SwapsInLink,        // moves the file aside and puts a link to the user's other file there
    AppendsAtEveryStep, // never stops
};
Q_DECLARE_METATYPE(Act)
Q_DECLARE_METATYPE(CheckedReplace::Step)

namespace {

// Another program (or another account) working on the folder of Data.ait.
struct OtherProgram
{
    QString path;
    QString victim; // a file of the user's that no save may touch
    QString aside;  // where the real file went while a link stands in its place
    QStringList added;
    const QByteArray victimBytes = "the user's other file\n";

    explicit OtherProgram(const QString &dataPath)
        : path(dataPath), victim(QFileInfo(dataPath).dir().filePath(u"victim.txt"_s)),
          aside(QFileInfo(dataPath).dir().filePath(u"aside"_s))
    {
        writeAll(victim, victimBytes, QIODevice::WriteOnly);
    }

    QByteArray row() { return "other" + QByteArray::number(added.size()) + "\\x\\"; }

    void act(Act act)
    {
        switch (act) {
        case Act::AppendsInPlace:
        case Act::AppendsAtEveryStep:
            added += QString::fromLatin1(row());
            writeAll(path, '|' + added.last().toLatin1() + "\r\n", QIODevice::Append);
            return;
        case Act::RenamesOver: {
            const QString fresh = path + u".new"_s;
            const QByteArray bytes = readAll(path) + '|' + row() + "\r\n";
            added += QString::fromLatin1(row());
            writeAll(fresh, bytes, QIODevice::WriteOnly);
            QCOMPARE(std::rename(QFile::encodeName(fresh).constData(),
                                 QFile::encodeName(path).constData()),
                     0);
            return;
        }
        case Act::SwapsInLink:
            QVERIFY(QFile::rename(path, aside));
            QVERIFY(QFile::link(victim, path));
            return;
        }
    }

    // The knowledge file as the other program left it, wherever it put it.
    QString realFile() const { return QFileInfo(path).isSymLink() ? aside : path; }
};

// Whether this file system swaps two names in one step; where it cannot, the moment between the
// last check and the rename stays open.
bool swapsNames(const QString &folder)
{
    const QByteArray a = QFile::encodeName(folder + u"/swap-a"_s);
    const QByteArray b = QFile::encodeName(folder + u"/swap-b"_s);
    writeAll(QFile::decodeName(a), "a", QIODevice::WriteOnly);
    writeAll(QFile::decodeName(b), "b", QIODevice::WriteOnly);
    const bool swapped =
        ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0;
    ::unlink(a.constData());
    ::unlink(b.constData());
    return swapped;
}

} // namespace

void TestTeachingSession::anotherProgramBetweenTheSteps_data()
{
    QTest::addColumn<CheckedReplace::Step>("step");
    QTest::addColumn<Act>("act");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("told"); // part of the merge report or of the failure's reason

    using Step = CheckedReplace::Step;
    const QString merged = u"其他的 465 条数据原样保留"_s;
    const std::pair<const char *, Step> steps[] = {{"locked", Step::Locked},
                                                   {"merged", Step::Composed},
                                                   {"temporary file written", Step::Written},
                                                   {"checked again", Step::Checked}};
    for (const auto &[name, step] : steps) {
        QTest::addRow("a row written in place once %s: merged", name)
            << step << Act::AppendsInPlace << true << merged;
        QTest::addRow("a new file renamed over once %s: merged", name)
            << step << Act::RenamesOver << true << merged;
        QTest::addRow("a link to another file swapped in once %s: refused", name)
            << step << Act::SwapsInLink << false << u"链接"_s;
    }
    QTest::newRow("a change at every step: given up in words")
        << Step::Written << Act::AppendsAtEveryStep << false << u"试了 5 次"_s;
}

void TestTeachingSession::anotherProgramBetweenTheSteps()
{
    QFETCH(CheckedReplace::Step, step);
    QFETCH(Act, act);
    QFETCH(bool, written);
    QFETCH(QString, told);

    Session s;
    if (step == CheckedReplace::Step::Checked && act != Act::SwapsInLink &&
        !swapsNames(s.dir.path()))
        QSKIP("this file system cannot swap two names in one step");
    s.commit(u"hello\\taught\\"_s);
    s.commit(u"newkey\\new\\"_s);
    OtherProgram other(s.path);
    bool acted = false;
    s.session->setMeanwhile([&](CheckedReplace::Step at) {
        if (at == step && (!acted || act == Act::AppendsAtEveryStep)) {
            acted = true;
            other.act(act);
        }
    });

    const TeachingSession::Outcome outcome =
        s.session->save(s.list, TeachingSession::After::GoingOn).run();

    QVERIFY(acted);
    QCOMPARE(bool(outcome.written), written);
    QCOMPARE(readAll(other.victim), other.victimBytes);
    QCOMPARE(temporaryFiles(s.path), QStringList());
    const QStringList rows = rowsOf(other.realFile());
    QVERIFY(!rows.isEmpty());
    for (const QString &row : std::as_const(other.added))
        QVERIFY2(rows.contains(row + u"\r\n"_s), qPrintable(row)); // nothing of theirs is lost
    const bool ours =
        rows.contains(u"newkey\\new\\\r\n"_s) && rows.contains(u"hello\\taught\\\r\n"_s);
    QCOMPARE(ours, written);
    if (written) {
        QVERIFY2(outcome.mergeReport.contains(told), qPrintable(outcome.mergeReport));
        QVERIFY(!KnowledgeFile::changedSince(s.path, *outcome.stamp));
    } else {
        QVERIFY2(outcome.written.reason().contains(told), qPrintable(outcome.written.reason()));
        QVERIFY(outcome.mergeReport.isEmpty());
        QVERIFY(!outcome.unwritten.isEmpty());
    }
}

void TestTeachingSession::aFileReadThroughALink_data()
{
    QTest::addColumn<bool>("retargeted"); // the link leads elsewhere by the time of the save
    QTest::addColumn<bool>("written");
    QTest::newRow("a link that stays: the file it leads to is saved") << false << true;
    QTest::newRow("a link pointed elsewhere meanwhile: refused") << true << false;
}

void TestTeachingSession::aFileReadThroughALink()
{
    QFETCH(bool, retargeted);
    QFETCH(bool, written);
    Session s;
    // Data.ait in the data folder is a link to the real file in a folder of its own.
    const QString realDir = s.dir.filePath(u"real"_s);
    QVERIFY(QDir().mkpath(realDir));
    const QString real = QDir(realDir).filePath(KnowledgeFile::FileName);
    QVERIFY(QFile::rename(s.path, real));
    QVERIFY(QFile::link(real, s.path));
    s.loaded = *KnowledgeFile::load(s.path).knowledge;
    s.session = std::make_unique<TeachingSession>(s.loaded, s.path);
    s.commit(u"newkey\\new\\"_s);
    OtherProgram other(s.path);
    if (retargeted) {
        QVERIFY(QFile::remove(s.path));
        QVERIFY(QFile::link(other.victim, s.path));
    }

    const TeachingSession::Outcome outcome =
        s.session->save(s.list, TeachingSession::After::GoingOn).run();

    QCOMPARE(bool(outcome.written), written);
    QVERIFY(QFileInfo(s.path).isSymLink());
    QCOMPARE(readAll(other.victim), other.victimBytes);
    QCOMPARE(rowsOf(real).contains(u"newkey\\new\\\r\n"_s), written);
    QCOMPARE(temporaryFiles(real), QStringList());
}

void TestTeachingSession::nothingTaughtLeavesAChangedFileAlone()
{
    // Leaving teaching without a commit while another program changed the file: nothing is
    // written and nothing is reported, for no teaching happened.
    Session s;
    writeAll(s.path, "|elsewhere\\x\\\r\n", QIODevice::Append);
    const QByteArray theirs = readAll(s.path);
    const TeachingSession::Outcome outcome =
        s.session->save(s.list, TeachingSession::After::GoingOn).run();
    QVERIFY(outcome.written);
    QVERIFY2(outcome.mergeReport.isEmpty(), qPrintable(outcome.mergeReport));
    QCOMPARE(readAll(s.path), theirs);
}

// ---- Work kept when it cannot be written --------------------------------------------------

void TestTeachingSession::keptWorkFindsAFolder_data()
{
    QTest::addColumn<int>("mode");        // of Data.ait
    QTest::addColumn<bool>("folderGone"); // the data folder's medium was removed
    QTest::addColumn<bool>("ownBlocked"); // the user's data folder cannot be made
    QTest::addColumn<QString>("keptIn");  // "data", "own", "home" or empty for nowhere
    QTest::addColumn<int>("keptMode");

    QTest::newRow("beside a private file: private") << 0600 << false << false << u"data"_s << 0600;
    QTest::newRow("beside a group-readable file: the same")
        << 0640 << false << false << u"data"_s << 0640;
    QTest::newRow("beside an ordinary file: the same")
        << 0644 << false << false << u"data"_s << 0644;
    QTest::newRow("the folder gone: in the user's data folder, private")
        << 0644 << true << false << u"own"_s << 0600;
    QTest::newRow("that one blocked too: in the home folder")
        << 0644 << true << true << u"home"_s << 0600;
}

void TestTeachingSession::keptWorkFindsAFolder()
{
    QFETCH(int, mode);
    QFETCH(bool, folderGone);
    QFETCH(bool, ownBlocked);
    QFETCH(QString, keptIn);
    QFETCH(int, keptMode);

    QTemporaryDir root;
    const QString dataDir = root.filePath(u"medium"_s);
    const QString own = root.filePath(u"share/miaoyutong"_s);
    const QString home = root.filePath(u"home"_s);
    QVERIFY(QDir().mkpath(dataDir) && QDir().mkpath(home));
    if (ownBlocked)
        writeAll(root.filePath(u"share"_s), "a file where the folder would be",
                 QIODevice::WriteOnly);
    const QString path = QDir(dataDir).filePath(KnowledgeFile::FileName);
    writeAll(path, *KnowledgeFile::firstRunBytes(u"zu"_s), QIODevice::WriteOnly);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
    if (folderGone)
        QVERIFY(QDir(dataDir).removeRecursively());

    const std::optional<QString> kept = KnowledgeFile::keep(path, "work", {own, home});
    const QString folder = keptIn == u"data"_s ? dataDir : keptIn == u"own"_s ? own : home;
    QVERIFY(kept);
    QCOMPARE(QFileInfo(*kept).absolutePath(), folder);
    QCOMPARE(readAll(*kept), QByteArray("work"));
    struct stat status = {};
    QVERIFY(::stat(QFile::encodeName(*kept).constData(), &status) == 0);
    QCOMPARE(int(status.st_mode & 0777), keptMode);
    // The next start finds it wherever it went.
    QCOMPARE(KnowledgeFile::keptFiles(path, {own, home}), QStringList{*kept});
}

void TestTeachingSession::theEndAwaitsARunningSave_data()
{
    QTest::addColumn<bool>("fails");
    QTest::addColumn<bool>("endsFirst"); // the session ends while the save runs, not after
    QTest::newRow("a failing save that ended before the session") << true << false;
    QTest::newRow("a failing save still running at the end") << true << true;
    QTest::newRow("a save that succeeds") << false << true;
}

void TestTeachingSession::theEndAwaitsARunningSave()
{
    QFETCH(bool, fails);
    QFETCH(bool, endsFirst);
    Session s(fails ? KnowledgeFile::WriteFault([](QByteArray &) { return ENOSPC; })
                    : KnowledgeFile::WriteFault());
    s.commit(u"newkey\\new\\"_s);
    const TeachingSession::Save save = s.session->save(s.list, TeachingSession::After::GoingOn);
    std::optional<QString> kept;
    if (endsFirst) {
        // Whichever comes first on this machine, the end or the failure, the work is kept once.
        // A plain thread, joined: the thread checker sees the join order the result, where it
        // cannot see Qt's own hand-over of a future's result.
        std::optional<TeachingSession::Outcome> outcome;
        std::thread running([&] { outcome = save.run(); });
        kept = s.session->endWhileSaving();
        running.join();
        if (!kept)
            kept = outcome->keptAt;
    } else {
        QCOMPARE(bool(save.run().written), !fails);
        kept = s.session->endWhileSaving();
    }
    const QStringList keptFiles = KnowledgeFile::keptFiles(s.path);
    QCOMPARE(keptFiles.size(), fails ? 1 : 0);
    QCOMPARE(kept.has_value(), fails);
    if (fails) {
        QCOMPARE(*kept, keptFiles.first());
        QVERIFY(rowsOf(*kept).contains(u"newkey\\new\\\r\n"_s));
    } else {
        QVERIFY(rowsOf(s.path).contains(u"newkey\\new\\\r\n"_s));
    }
}

// ---- Leftovers ------------------------------------------------------------------------------

void TestTeachingSession::leftoversOfACrashAreRemoved_data()
{
    QTest::addColumn<bool>("saving"); // another window holds the file for a save right now
    QTest::addColumn<QStringList>("removed");
    QTest::newRow("no save running: our temporary files go")
        << false << QStringList{u"Data.ait.Ab3xY9"_s, u"Data.ait.000000"_s};
    QTest::newRow("a save running: nothing goes") << true << QStringList();
}

void TestTeachingSession::leftoversOfACrashAreRemoved()
{
    QFETCH(bool, saving);
    QFETCH(QStringList, removed);
    Session s;
    const QStringList ours = {u"Data.ait.Ab3xY9"_s, u"Data.ait.000000"_s};
    // Names that only look alike, and what the user keeps: never touched.
    const QStringList others = {u"Data.ait.utf8.bak"_s, u"Data.ait.abc"_s, u"Data.ait.abcdefg"_s,
                                u"Data.ait.未保存-20250101-120000.ait"_s, u"Other.ait.Ab3xY9"_s};
    for (const QString &name : ours + others)
        writeAll(s.dir.filePath(name), "x", QIODevice::WriteOnly);
    FileLock held;
    if (saving)
        QVERIFY(held.take(s.path));

    QCOMPARE(CheckedReplace::removeLeftovers(s.path), int(removed.size()));
    for (const QString &name : ours + others)
        QCOMPARE(QFileInfo::exists(s.dir.filePath(name)), !removed.contains(name));
}

QTEST_GUILESS_MAIN(TestTeachingSession)
#include "tst_teachingsession.moc"
