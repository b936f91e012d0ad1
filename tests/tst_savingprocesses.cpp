// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The teaching save against other processes: windows that never met saving one file at once,
// and another account swapping the file for a link while a window saves. The test starts copies
// of itself to play them.

#include "support/SessionFiles.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A second window: loads the file, commits key, says "ready", saves when told to on its input,
// and says how it went.
int childSave(const QString &path, const QString &key)
{
    const KnowledgeBase loaded = *KnowledgeFile::load(path).knowledge;
    TeachingList list;
    list.adopt(TeachingList::prepare(loaded.keywordTable, list.collator()));
    TeachingSession session(loaded, path);
    const QString entry = key + u"\\taught\\\r\n"_s;
    session.committed(entry, {});
    list.insertEntry(entry);
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    const TeachingSession::Outcome outcome =
        session.save(list, TeachingSession::After::Ending).run();
    std::printf("%s\n", outcome.written ? "written" : qPrintable(outcome.written.reason()));
    return 0;
}

// Another account in a shared folder: swaps Data.ait for a link to the user's other file and
// back, again and again, until the stop file appears.
int childSwap(const QString &path, const QString &victim, const QString &stop)
{
    const QByteArray name = QFile::encodeName(path);
    const QByteArray aside = name + ".aside";
    const QByteArray link = name + ".link";
    for (int round = 0; !QFileInfo::exists(stop); ++round) {
        ::unlink(link.constData());
        if (::symlink(QFile::encodeName(victim).constData(), link.constData()) != 0)
            return 1;
        if (std::rename(name.constData(), aside.constData()) != 0)
            continue;
        std::rename(link.constData(), name.constData());
        std::rename(aside.constData(), name.constData());
    }
    ::unlink(link.constData());
    return 0;
}

} // namespace

class TestSavingProcesses : public QObject
{
    Q_OBJECT

private slots:
    void twoWindowsSavingAtOnceKeepBoth();
    void aLinkSwappedInByAnotherAccountIsNeverFollowed();
};

void TestSavingProcesses::twoWindowsSavingAtOnceKeepBoth()
{
    // Eight windows that never met (each with a runtime folder of its own) end at once, as a
    // logout ends them: every one's teaching is in the file.
    Session s;
    QList<std::shared_ptr<QProcess>> windows;
    QStringList keys;
    for (int window = 0; window < 8; ++window)
        keys.append(u"window%1"_s.arg(window));
    for (const QString &key : keys) {
        auto window = std::make_shared<QProcess>();
        window->start(QCoreApplication::applicationFilePath(), {u"--child-save"_s, s.path, key});
        QVERIFY(window->waitForStarted(60000));
        windows.append(window);
    }
    for (const auto &window : std::as_const(windows)) {
        while (!window->canReadLine())
            QVERIFY(window->waitForReadyRead(60000));
        QCOMPARE(window->readLine(), QByteArray("ready\n"));
    }
    for (const auto &window : std::as_const(windows))
        window->write("go\n");
    for (const auto &window : std::as_const(windows)) {
        QVERIFY(window->waitForFinished(120000));
        QCOMPARE(window->readAllStandardOutput(), QByteArray("written\n"));
    }
    const QStringList rows = rowsOf(s.path);
    for (const QString &key : keys)
        QVERIFY2(rows.contains(key + u"\\taught\\\r\n"_s), qPrintable(key));
    QCOMPARE(rows.size(), s.loaded.entryCount() + keys.size());
    QCOMPARE(temporaryFiles(s.path), QStringList());
}

void TestSavingProcesses::aLinkSwappedInByAnotherAccountIsNeverFollowed()
{
    // While this window saves again and again, another process keeps swapping Data.ait for a
    // link to the user's other file and back. Each save writes the knowledge file or refuses in
    // words; the other file is never touched.
    Session s;
    const QString victim = s.dir.filePath(u"victim.txt"_s);
    const QByteArray victimBytes = "the user's other file\n";
    writeAll(victim, victimBytes, QIODevice::WriteOnly);
    const QString stop = s.dir.filePath(u"stop"_s);
    QProcess swapper;
    swapper.start(QCoreApplication::applicationFilePath(),
                  {u"--child-swap"_s, s.path, victim, stop});
    QVERIFY(swapper.waitForStarted(60000));
    int written = 0;
    for (int round = 0; round < 40; ++round) {
        s.commit(u"round%1\\taught\\"_s.arg(round));
        const TeachingSession::Outcome outcome =
            s.session->save(s.list, TeachingSession::After::GoingOn).run();
        s.session->saved(outcome);
        written += outcome.written ? 1 : 0;
        QVERIFY(outcome.written || !outcome.written.reason().isEmpty());
        QCOMPARE(readAll(victim), victimBytes);
    }
    writeAll(stop, "", QIODevice::WriteOnly);
    QVERIFY(swapper.waitForFinished(120000));
    QCOMPARE(swapper.exitCode(), 0);
    QCOMPARE(readAll(victim), victimBytes);
    QCOMPARE(temporaryFiles(s.path), QStringList());
    if (QFileInfo(s.path).isSymLink()) {
        // The other process won a race at the very swap twice over and left its link in place:
        // the file it had swapped in meanwhile was set aside whole, never removed.
        const QStringList aside =
            QDir(s.dir.path()).entryList({KnowledgeFile::FileName + u".被替换-*.ait"_s});
        QVERIFY(!aside.isEmpty());
        QVERIFY(!rowsOf(s.dir.filePath(aside.first())).isEmpty());
        qInfo("%d of 40 saves went through; the other process left its link", written);
        return;
    }
    // Once the swapping stops, the next save holds every round.
    const TeachingSession::Outcome last =
        s.session->save(s.list, TeachingSession::After::GoingOn).run();
    QVERIFY2(last.written, qPrintable(last.written.reason()));
    const QStringList rows = rowsOf(s.path);
    for (int round = 0; round < 40; ++round)
        QVERIFY(rows.contains(u"round%1\\taught\\\r\n"_s.arg(round)));
    QCOMPARE(temporaryFiles(s.path), QStringList());
    qInfo("%d of 40 saves went through while the link was swapped in and out", written);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == u"--child-save"_s)
        return childSave(arguments.value(2), arguments.value(3));
    if (arguments.value(1) == u"--child-swap"_s)
        return childSwap(arguments.value(2), arguments.value(3), arguments.value(4));
    TestSavingProcesses test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savingprocesses.moc"
