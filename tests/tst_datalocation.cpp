// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Where Data.ait goes: a portable copy prefers the program's folder, a packaged one only ever
// uses the per-user folder (and leaves the program's folder untouched); a folder named on the
// command line is made ready or refused in words.

#include "knowledge/DataLocation.h"
#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Placement = DataLocation::Placement;

namespace {

// How a folder looks before the choice.
enum class State
{
    Absent,        // not there yet, can be created
    Empty,         // there, writable, no Data.ait
    WithKnowledge, // holds a Data.ait
    Blocked,       // a plain file stands where the folder should be
};

void makeFolder(const QString &path, State state)
{
    switch (state) {
    case State::Absent:
        return;
    case State::Empty:
        QVERIFY(QDir().mkpath(path));
        return;
    case State::WithKnowledge: {
        QVERIFY(QDir().mkpath(path));
        QFile file(QDir(path).filePath(KnowledgeFile::FileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        return;
    }
    case State::Blocked: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        return;
    }
    }
}

QStringList entries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

Q_DECLARE_METATYPE(State)

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void choosesByPlacement_data();
    void choosesByPlacement();
    void preparesANamedFolder_data();
    void preparesANamedFolder();
    void refusesAFolderNothingCanBeWrittenIn();
};

void TestDataLocation::choosesByPlacement_data()
{
    QTest::addColumn<State>("program");
    QTest::addColumn<State>("perUser");
    QTest::addColumn<Placement>("placement");
    QTest::addColumn<QString>("expected"); // "program", "perUser" or "" for none

    const Placement portable = Placement::BesideProgramFirst;
    const Placement packaged = Placement::PerUserOnly;

    QTest::newRow("portable: writable program folder")
        << State::Empty << State::Absent << portable << u"program"_qs;
    QTest::newRow("portable: knowledge beside the program wins")
        << State::WithKnowledge << State::WithKnowledge << portable << u"program"_qs;
    QTest::newRow("portable: existing per-user knowledge beats a writable program folder")
        << State::Empty << State::WithKnowledge << portable << u"perUser"_qs;
    QTest::newRow("portable: unusable program folder")
        << State::Blocked << State::Absent << portable << u"perUser"_qs;

    // Like root running /usr/bin/miaoyutong: the program's folder is writable, and even a
    // Data.ait left there is not used.
    QTest::newRow("packaged: writable program folder")
        << State::Empty << State::Absent << packaged << u"perUser"_qs;
    QTest::newRow("packaged: knowledge beside the program is ignored")
        << State::WithKnowledge << State::Absent << packaged << u"perUser"_qs;
    QTest::newRow("packaged: existing per-user knowledge")
        << State::WithKnowledge << State::WithKnowledge << packaged << u"perUser"_qs;
    QTest::newRow("packaged: per-user folder unusable, no fallback")
        << State::Empty << State::Blocked << packaged << QString();
    QTest::newRow("portable: both unusable")
        << State::Blocked << State::Blocked << portable << QString();
}

void TestDataLocation::choosesByPlacement()
{
    QFETCH(State, program);
    QFETCH(State, perUser);
    QFETCH(Placement, placement);
    QFETCH(QString, expected);

    QTemporaryDir root;
    const QString programDir = root.filePath(u"bin"_qs);
    const QString perUserDir = root.filePath(u"home/.local/share/miaoyutong"_qs);
    makeFolder(programDir, program);
    QVERIFY(QDir().mkpath(root.filePath(u"home/.local/share"_qs)));
    makeFolder(perUserDir, perUser);
    const QStringList programBefore = entries(programDir);

    const QString chosen = DataLocation::choose(programDir, perUserDir, placement);
    const QString wanted = expected == u"program"   ? programDir
                           : expected == u"perUser" ? perUserDir
                                                    : QString();
    QCOMPARE(chosen, wanted);
    if (!chosen.isEmpty())
        QVERIFY(QFileInfo(chosen).isDir());
    // Probing for write access leaves nothing behind, and a packaged copy never even probes
    // the program's folder.
    QCOMPARE(entries(programDir), programBefore);
    if (placement == Placement::PerUserOnly && perUser != State::Blocked)
        QCOMPARE(entries(perUserDir).size(), perUser == State::WithKnowledge ? 1 : 0);
}

void TestDataLocation::preparesANamedFolder_data()
{
    QTest::addColumn<QString>("relative"); // under a temporary folder; "" names nothing
    QTest::addColumn<QString>("problem");  // a part of the answer, or empty when usable

    QTest::newRow("existing folder") << u"."_qs << QString();
    QTest::newRow("missing folders are made") << u"新/数据 夹/深处"_qs << QString();
    QTest::newRow("a file") << u"file"_qs << u"不是文件夹"_qs;
    QTest::newRow("under a file") << u"file/sub"_qs << u"无法新建文件夹"_qs;
    QTest::newRow("no name") << QString() << u"没有给出文件夹的名字"_qs;
}

void TestDataLocation::preparesANamedFolder()
{
    QFETCH(QString, relative);
    QFETCH(QString, problem);

    QTemporaryDir root;
    QFile file(root.filePath(u"file"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString dir = relative.isEmpty() ? QString() : root.filePath(relative);

    const QString answer = DataLocation::prepare(dir);
    if (problem.isEmpty()) {
        QCOMPARE(answer, QString());
        QVERIFY(QFileInfo(dir).isDir());
        if (relative != u".")
            QCOMPARE(entries(dir), QStringList());
    } else {
        QVERIFY2(answer.contains(problem), qPrintable(answer));
        if (!relative.isEmpty())
            QVERIFY2(answer.contains(QFileInfo(dir).absoluteFilePath()), qPrintable(answer));
    }
}

void TestDataLocation::refusesAFolderNothingCanBeWrittenIn()
{
    // Permission bits do not stop root, who runs the CI; /proc refuses new files to everyone.
    if (!QFileInfo(u"/proc/self"_qs).isDir())
        QSKIP("needs Linux's /proc");
    const QString answer = DataLocation::prepare(u"/proc"_qs);
    QVERIFY2(answer.contains(u"“/proc”不能写入"_qs), qPrintable(answer));
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
