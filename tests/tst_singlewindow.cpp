// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// One window per data file: the claim's name for a file however it is reached, a lock held
// by someone who does not answer, and the real program started twice on one folder. Also the
// real program where no window can open at all.

#include "app/SingleWindow.h"
#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSingleWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sameFileSameName_data();
    void sameFileSameName();
    void aLockWithoutAnAnswerIsTold();
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
    QVERIFY(QDir().mkpath(m_dir->filePath(u"b"_s)));
    QVERIFY(QDir().mkpath(m_dir->filePath(u"c"_s)));
    QVERIFY(QFile::link(m_dir->filePath(u"a"_s), m_dir->filePath(u"link"_s)));
    QVERIFY(QFile::link(m_dir->filePath(u"a/Data.ait"_s), m_dir->filePath(u"b/Data.ait"_s)));
    QCOMPARE(SingleWindow::nameFor(m_dir->filePath(first)) ==
                 SingleWindow::nameFor(m_dir->filePath(second)),
             same);
}

void TestSingleWindow::aLockWithoutAnAnswerIsTold()
{
    const QString path = QDir(dataFolder(u"a"_s)).filePath(KnowledgeFile::FileName);
    // A live process holds the lock but no window answers on the socket.
    QLockFile held(QDir(m_runtime).filePath(SingleWindow::nameFor(path) + u".lock"_s));
    QVERIFY(held.tryLock(0));
    SingleWindow second(path, m_runtime);
    QCOMPARE(second.claim(), SingleWindow::Claim::Unanswered);

    held.unlock();
    SingleWindow third(path, m_runtime);
    QCOMPARE(third.claim(), SingleWindow::Claim::Ours);
    third.release();
    SingleWindow fourth(path, m_runtime); // released: the next one has it at once
    QCOMPARE(fourth.claim(), SingleWindow::Claim::Ours);
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
        SingleWindow::nameFor(QDir(folder).filePath(KnowledgeFile::FileName)) + u".socket"_s);
    return QTest::qWaitFor([&] { return QFile::exists(socket); }, 20000);
}

void TestSingleWindow::aSecondStartHandsOver()
{
    const QString folder = dataFolder(u"a"_s);
    const QByteArray before = [&] {
        QFile file(QDir(folder).filePath(KnowledgeFile::FileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QProcess *first = startProgram(folder);
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
