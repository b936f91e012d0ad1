// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The command line: what each argument list asks for, before QApplication has taken Qt's own
// options out (they must pass) and after (leftovers are refused), and what --help tells.

#include "app/CommandLine.h"

#include <QTest>

using Action = CommandLine::Request::Action;
using Unknown = CommandLine::Unknown;
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Unknown)

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatIsAsked_data();
    void readsWhatIsAsked();
    void helpTellsWhereDataLives_data();
    void helpTellsWhereDataLives();
};

void TestCommandLine::readsWhatIsAsked_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Unknown>("unknown");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("dataDir"); // "-" for none
    QTest::addColumn<QString>("error");   // a part of the refusal

    const auto args = [](std::initializer_list<const char *> list) {
        QStringList result{QStringLiteral("miaoyutong")};
        for (const char *a : list)
            result << QString::fromUtf8(a);
        return result;
    };
    const Unknown pass = Unknown::PassOn;
    const Unknown refuse = Unknown::Refuse;

    // Help and version.
    QTest::newRow("no arguments") << args({}) << refuse << Action::Run << u"-"_qs << QString();
    QTest::newRow("--help") << args({"--help"}) << pass << Action::ShowHelp << u"-"_qs << QString();
    QTest::newRow("-h") << args({"-h"}) << pass << Action::ShowHelp << u"-"_qs << QString();
    QTest::newRow("-help, one dash like Qt's options")
        << args({"-help"}) << pass << Action::ShowHelp << u"-"_qs << QString();
    QTest::newRow("--version") << args({"--version"}) << pass << Action::ShowVersion << u"-"_qs
                               << QString();
    QTest::newRow("-v") << args({"-v"}) << pass << Action::ShowVersion << u"-"_qs << QString();
    QTest::newRow("help wins over version and a bad option")
        << args({"--frob", "-v", "--help"}) << refuse << Action::ShowHelp << u"-"_qs << QString();

    // Qt's own options go through untouched before QApplication; none of them reads as ours.
    QTest::newRow("-reverse is not -r -e -v ...")
        << args({"-reverse"}) << pass << Action::Run << u"-"_qs << QString();
    QTest::newRow("-platform with its value")
        << args({"-platform", "offscreen", "-style", "fusion"}) << pass << Action::Run << u"-"_qs
        << QString();
    QTest::newRow("--data-dir among Qt's options")
        << args({"-platform", "xcb", "--data-dir", "/tmp/d", "-qwindowtitle", "x"}) << pass
        << Action::Run << u"/tmp/d"_qs << QString();

    // --data-dir.
    QTest::newRow("--data-dir DIR") << args({"--data-dir", "数据/备份"}) << refuse << Action::Run
                                    << u"数据/备份"_qs << QString();
    QTest::newRow("--data-dir=DIR")
        << args({"--data-dir=/a b"}) << refuse << Action::Run << u"/a b"_qs << QString();
    QTest::newRow("the last --data-dir counts") << args({"--data-dir", "one", "--data-dir", "two"})
                                                << refuse << Action::Run << u"two"_qs << QString();
    QTest::newRow("--data-dir= is an empty name, refused later by the folder check")
        << args({"--data-dir="}) << refuse << Action::Run << QString() << QString();
    QTest::newRow("--data-dir without a folder") << args({"--data-dir"}) << pass << Action::Refuse
                                                 << u"-"_qs << u"--data-dir 后面要写一个文件夹"_qs;

    // After QApplication: what is left over is a mistake.
    QTest::newRow("unknown long option")
        << args({"--frob"}) << refuse << Action::Refuse << u"-"_qs << u"不认识的选项 --frob"_qs;
    QTest::newRow("unknown short option")
        << args({"-x"}) << refuse << Action::Refuse << u"-"_qs << u"不认识的选项 -x"_qs;
    QTest::newRow("an argument that is no option")
        << args({"Data.ait"}) << refuse << Action::Refuse << u"-"_qs << u"多余的参数“Data.ait”"_qs;
    QTest::newRow("the same, before QApplication")
        << args({"--frob", "Data.ait"}) << pass << Action::Run << u"-"_qs << QString();
}

void TestCommandLine::readsWhatIsAsked()
{
    QFETCH(QStringList, arguments);
    QFETCH(Unknown, unknown);
    QFETCH(Action, action);
    QFETCH(QString, dataDir);
    QFETCH(QString, error);

    const CommandLine::Request request = CommandLine::read(arguments, unknown);
    QCOMPARE(request.action, action);
    if (dataDir == u"-")
        QVERIFY(!request.dataDir);
    else
        QCOMPARE(request.dataDir.value_or(u"(none)"_qs), dataDir);
    if (error.isEmpty()) {
        QCOMPARE(request.error, QString());
    } else {
        QVERIFY2(request.error.contains(error), qPrintable(request.error));
        // Every refusal says how to find the right usage.
        QVERIFY(request.error.contains(u"--help"_qs));
    }
}

void TestCommandLine::helpTellsWhereDataLives_data()
{
    QTest::addColumn<DataLocation::Placement>("placement");
    QTest::addColumn<bool>("mentionsProgramFolder");
    QTest::newRow("portable copy") << DataLocation::Placement::BesideProgramFirst << true;
    QTest::newRow("package") << DataLocation::Placement::PerUserOnly << false;
}

void TestCommandLine::helpTellsWhereDataLives()
{
    QFETCH(DataLocation::Placement, placement);
    QFETCH(bool, mentionsProgramFolder);

    const QString perUser = u"/home/小明/.local/share/miaoyutong"_qs;
    const QString help = CommandLine::helpText(placement, perUser);
    for (const QString &option : {u"--help"_qs, u"--version"_qs, u"--data-dir"_qs})
        QVERIFY2(help.contains(option), qPrintable(option));
    QVERIFY(help.contains(perUser));
    QCOMPARE(help.contains(u"程序所在的文件夹"_qs), mentionsProgramFolder);
    QVERIFY(help.startsWith(u"用法：miaoyutong"_qs));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
