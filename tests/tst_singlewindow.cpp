// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// One window per data file: the claim's name for a file however it is reached, a lock held
// by someone who does not answer, and the real program started twice on one folder. Also the
// real program where no window can open at all.

#include "app/SingleWindow.h"
#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestSingleWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sameFileSameName_data();
    void sameFileSameName();
    void lockStates_data();
    void lockStates();
    void lockFolderIsTheUsersOwn_data();
    void lockFolderIsTheUsersOwn();
    void aSecondStartHandsOver();
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();

private:
    // A folder holding a readable Data.ait.
    QString dataFolder(const QString &name);
    QProcess *startProgram(const QString &folder);
    bool waitForWindow(const QString &folder);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_runtime;
};

void TestSingleWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_runtime = m_dir->filePath(u"runtime"_s);
    QVERIFY(QDir().mkpath(m_runtime));
    QFile::setPermissions(m_runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString TestSingleWindow::dataFolder(const QString &name)
{
    const QString folder = m_dir->filePath(name);
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(KnowledgeFile::FileName));
    if (file.open(QIODevice::WriteOnly))
        file.write(*KnowledgeFile::firstRunBytes(u"小明"_s));
    return folder;
}

void TestSingleWindow::sameFileSameName_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");
    QTest::newRow("the same path") << u"a/Data.ait"_s << u"a/Data.ait"_s << true;
    QTest::newRow("through a dot dot") << u"a/Data.ait"_s << u"b/../a/Data.ait"_s << true;
    QTest::newRow("through a linked folder") << u"a/Data.ait"_s << u"link/Data.ait"_s << true;
    QTest::newRow("through a linked file") << u"a/Data.ait"_s << u"b/Data.ait"_s << true;
    QTest::newRow("through a hard link") << u"a/Data.ait"_s << u"d/Data.ait"_s << true;
    QTest::newRow("not created yet, same folder")
        << u"c/Data.ait"_s << u"b/../c/Data.ait"_s << true;
    QTest::newRow("another folder") << u"a/Data.ait"_s << u"c/Data.ait"_s << false;
}

void TestSingleWindow::sameFileSameName()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);
    dataFolder(u"a"_s);
    for (const QString &folder : {u"b"_s, u"c"_s, u"d"_s})
        QVERIFY(QDir().mkpath(m_dir->filePath(folder)));
    QVERIFY(QFile::link(m_dir->filePath(u"a"_s), m_dir->filePath(u"link"_s)));
    QVERIFY(QFile::link(m_dir->filePath(u"a/Data.ait"_s), m_dir->filePath(u"b/Data.ait"_s)));
    QCOMPARE(::link(QFile::encodeName(m_dir->filePath(u"a/Data.ait"_s)).constData(),
                    QFile::encodeName(m_dir->filePath(u"d/Data.ait"_s)).constData()),
             0);
    const QStringList firstNames = SingleWindow::namesFor(m_dir->filePath(first));
    const QStringList secondNames = SingleWindow::namesFor(m_dir->filePath(second));
    const bool shareOne =
        std::any_of(firstNames.begin(), firstNames.end(),
                    [&](const QString &name) { return secondNames.contains(name); });
    QCOMPARE(shareOne, same);
}

void TestSingleWindow::lockStates_data()
{
    QTest::addColumn<QByteArray>("leftInLock");
    QTest::addColumn<bool>("heldByASilentProcess");
    QTest::addColumn<SingleWindow::Claim>("claim");
    // What a crash or a power cut between creating the lock file and writing it leaves, or
    // another program's idea of a lock: none of it holds the file.
    QTest::newRow("empty") << QByteArray() << false << SingleWindow::Claim::Ours;
    QTest::newRow("garbled") << QByteArray("\xff\x00\x13lock") << false
                             << SingleWindow::Claim::Ours;
    QTest::newRow("another machine's")
        << QByteArray("4242\nmiaoyutong\nanother-host\n") << false << SingleWindow::Claim::Ours;
    QTest::newRow("a dead process's")
        << QByteArray("2147483646\nmiaoyutong\n\n") << false << SingleWindow::Claim::Ours;
    QTest::newRow("held by a live process that does not answer")
        << QByteArray() << true << SingleWindow::Claim::Unanswered;
}

void TestSingleWindow::lockStates()
{
    QFETCH(QByteArray, leftInLock);
    QFETCH(bool, heldByASilentProcess);
    QFETCH(SingleWindow::Claim, claim);
    const QString path = QDir(dataFolder(u"a"_s)).filePath(KnowledgeFile::FileName);
    const QString lockPath =
        QDir(m_runtime).filePath(SingleWindow::namesFor(path).constFirst() + u".lock"_s);
    QFile left(lockPath);
    QVERIFY(left.open(QIODevice::WriteOnly));
    left.write(leftInLock);
    left.flush();
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    if (heldByASilentProcess)
        QCOMPARE(::fcntl(left.handle(), F_OFD_SETLK, &whole), 0);

    constexpr std::chrono::milliseconds Patience{300};
    SingleWindow second(path, m_runtime);
    QCOMPARE(second.claim(Patience), claim);
    if (claim == SingleWindow::Claim::Ours) {
        // Taken for real: a third start finds it held (nobody answers in this thread).
        SingleWindow third(path, m_runtime);
        QCOMPARE(third.claim(Patience), SingleWindow::Claim::Unanswered);
    }
    left.close();
    second.release(); // released: the next one has it at once
    SingleWindow fourth(path, m_runtime);
    QCOMPARE(fourth.claim(Patience), SingleWindow::Claim::Ours);
}

void TestSingleWindow::lockFolderIsTheUsersOwn_data()
{
    QTest::addColumn<QString>("runtime");
    QTest::addColumn<bool>("used");
    QTest::newRow("a folder of the user's") << u"RUNTIME"_s << true;
    QTest::newRow("none") << QString() << false;
    QTest::newRow("a relative path") << u"runtime"_s << false;
    QTest::newRow("missing") << u"RUNTIME/gone"_s << false;
    QTest::newRow("a file") << u"RUNTIME/file"_s << false;
    QTest::newRow("a link to a folder") << u"RUNTIME/link"_s << false;
}

void TestSingleWindow::lockFolderIsTheUsersOwn()
{
    QFETCH(QString, runtime);
    QFETCH(bool, used);
    runtime.replace(u"RUNTIME"_s, m_runtime);
    QVERIFY(QFile(m_dir->filePath(u"runtime/file"_s)).open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(m_dir->path(), m_dir->filePath(u"runtime/link"_s)));
    const QString perUser = m_dir->filePath(u"share/miaoyutong"_s);
    const QString chosen = SingleWindow::lockFolder(runtime, perUser);
    QCOMPARE(chosen, used ? runtime : perUser);
    if (!used)
        QCOMPARE(QFile::permissions(perUser) & 0x0077, QFileDevice::Permissions());
}

QProcess *TestSingleWindow::startProgram(const QString &folder)
{
    auto *program = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program->setProcessEnvironment(environment);
    program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program->start(QStringLiteral(MIAOYU_PROGRAM), {u"--data-dir"_s, folder});
    return program;
}

bool TestSingleWindow::waitForWindow(const QString &folder)
{
    // The socket is there once the window has claimed its file.
    const QString socket = QDir(m_runtime).filePath(
        SingleWindow::namesFor(QDir(folder).filePath(KnowledgeFile::FileName)).constFirst() +
        u".socket"_s);
    return QTest::qWaitFor([&] { return QFile::exists(socket); }, 20000);
}

void TestSingleWindow::aSecondStartHandsOver()
{
    const QString folder = dataFolder(u"a"_s);
    const QByteArray before = [&] {
        QFile file(QDir(folder).filePath(KnowledgeFile::FileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    // Two starts at once (a double click): one window, the other hands over to it even when
    // it asks before the first is listening.
    QProcess *first = startProgram(folder);
    QProcess *twin = startProgram(folder);
    QVERIFY(QTest::qWaitFor(
        [&] {
            return first->state() == QProcess::NotRunning || twin->state() == QProcess::NotRunning;
        },
        60000));
    if (first->state() == QProcess::NotRunning)
        std::swap(first, twin);
    QCOMPARE(twin->exitCode(), 0);
    QVERIFY(waitForWindow(folder));

    QProcess *second = startProgram(folder);
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);

    // Another folder is another file: its own window.
    const QString otherFolder = dataFolder(u"b"_s);
    QProcess *other = startProgram(otherFolder);
    QVERIFY(waitForWindow(otherFolder));
    QCOMPARE(other->state(), QProcess::Running);

    // A window that crashed leaves its lock behind: the next start takes it over.
    first->kill();
    QVERIFY(first->waitForFinished(20000));
    QProcess *after = startProgram(folder);
    QVERIFY(!after->waitForFinished(2000));
    QCOMPARE(after->state(), QProcess::Running);

    // Ending them by the signal a session sends: the file is as it was.
    for (QProcess *program : {other, after}) {
        program->terminate();
        QVERIFY(program->waitForFinished(20000));
        QCOMPARE(program->exitCode(), 0);
    }
    QFile file(QDir(folder).filePath(KnowledgeFile::FileName));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestSingleWindow::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::newRow("an unknown option")
        << QStringList{u"--bogus"_s} << 2 << u"不认识的选项 --bogus"_s;
    QTest::newRow("a stray argument") << QStringList{u"extra"_s} << 2 << u"多余的参数"_s;
    QTest::newRow("nothing wrong but the display")
        << QStringList{u"--data-dir"_s, u"FOLDER"_s} << 1 << u"找不到图形桌面"_s;
}

void TestSingleWindow::answersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    arguments.replaceInStrings(u"FOLDER"_s, dataFolder(u"a"_s));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(MIAOYU_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no abort, no core dump
    QCOMPARE(program.exitCode(), exitCode);
    const QString said = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(said.contains(says), qPrintable(said));
}

QTEST_GUILESS_MAIN(TestSingleWindow)
#include "tst_singlewindow.moc"
