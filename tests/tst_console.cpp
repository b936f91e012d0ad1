// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// miaoyutong-console as a script and a person meet it: the real program, fed on its standard
// input, its columns, its words for bad files and bad input, and the window's own answers.

#include "care/Care.h"
#include "common/TextRules.h"
#include "conversation/RobotText.h"
#include "support/WindowHarness.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString Now = u"2014-09-05 06:43:55"_s;

struct Run
{
    int status = -1;
    QStringList rows; // standard output, a line each
    QString err;
};

Run console(const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(QStringLiteral(MIAOYU_CONSOLE), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(300000))
        return {};
    Run run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.rows = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    if (run.rows.constLast().isEmpty())
        run.rows.removeLast();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Every file and folder under dir: its name, kind, size, time, permissions and bytes.
QStringList snapshot(const QString &dir)
{
    QStringList seen;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QByteArray bytes;
        // A write always moves a file's time; its bytes are compared too where that is quick.
        if (info.isFile() && info.size() < (16 << 20)) {
            QFile file(info.filePath());
            QCryptographicHash hash(QCryptographicHash::Sha256);
            if (file.open(QIODevice::ReadOnly) && hash.addData(&file))
                bytes = hash.result();
        }
        seen.append(u"%1 %2 %3 %4 %5 %6"_s.arg(info.filePath(), info.isDir() ? u"dir"_s : u"file"_s)
                        .arg(info.size())
                        .arg(info.lastModified().toMSecsSinceEpoch())
                        .arg(int(info.permissions()))
                        .arg(QString::fromLatin1(bytes.toHex())));
    }
    seen.sort();
    return seen;
}

QStringList escaped(const QStringList &lines)
{
    QStringList result;
    for (QString line : lines) {
        line.replace(u"\\"_s, u"\\\\"_s).replace(u"\t"_s, u"\\t"_s);
        result.append(line.replace(u"\r"_s, u"\\r"_s).replace(u"\n"_s, u"\\n"_s));
    }
    return result;
}

const QStringList Entries = {
    u"你好\\你好呀\\"_s,          u"hello\\Hi，[msg]\\"_s,
    u"回声\\你说：[msg]\\"_s,     u"几点\\现在是[time]，今天是[day]\\"_s,
    u"[rob]\\叫我干嘛\\我在\\"_s, u"sb\\sb是什么意思\\"_s,
};

class ReseedableRandom final : public RandomSource
{
public:
    double next() override { return m_inner.next(); }
    void reseed(quint64 seed) { m_inner = SeededRandom(seed); }

private:
    SeededRandom m_inner{0};
};

} // namespace

class TstConsole : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void routesInBatch_data();
    void routesInBatch();
    void batchAnswersEveryLine();
    void seedMakesRunsRepeatable();
    void refusesBadInput_data();
    void refusesBadInput();
    void saysWhatTheWindowSays();
    void talksAtATerminal();

private:
    QTemporaryDir m_dir;
};

void TstConsole::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile file(m_dir.filePath(u"Data.ait"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(*GbkCodec::encode(knowledgeText(Entries)));
}

void TstConsole::routesInBatch_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("row");
    // Every line the road could have said, as the columns write them; the reply is one of them.
    QTest::addColumn<QStringList>("lines");

    const QDateTime now = QDateTime::fromString(Now, u"yyyy-MM-dd hh:mm:ss"_s);
    const QStringList rebukes = {u"表说粗话好吗——"_s, u"阿木最讨厌脏话了"_s};

    QTest::newRow("entry") << "你好"_ba << u"entry"_s << u"你好"_s << u"1"_s
                           << QStringList{u"你好呀"_s};
    QTest::newRow("[msg] is the message as read") << "Hello World"_ba << u"entry"_s << u"hello"_s
                                                  << u"2"_s << QStringList{u"Hi，helloworld"_s};
    QTest::newRow("escapes in and out") << "回声\\t1\\n2\\\\3 x"_ba << u"entry"_s << u"回声"_s
                                        << u"3"_s << QStringList{u"你说：回声\\t1\\n2\\\\3x"_s};
    QTest::newRow("other backslashes kept")
        << "回声\\q"_ba << u"entry"_s << u"回声"_s << u"3"_s << QStringList{u"你说：回声\\\\q"_s};
    QTest::newRow("[day] and [time] from --now")
        << "几点了"_ba << u"entry"_s << u"几点"_s << u"4"_s
        << QStringList{
               u"现在是%1，今天是%2"_s.arg(RobotText::timeText(now), RobotText::dateText(now))};
    QTest::newRow("the robot's name") << "阿木在吗"_ba << u"entry"_s << u"[rob]"_s << u"5"_s
                                      << QStringList{u"叫我干嘛"_s, u"我在"_s};
    QTest::newRow("rude word before the table")
        << "fuck 你好"_ba << u"rude"_s << u"fuck"_s << QString() << rebukes;
    QTest::newRow("filter words are case-sensitive")
        << "SB"_ba << u"entry"_s << u"sb"_s << u"6"_s << QStringList{u"sb是什么意思"_s};
    QTest::newRow("calculator") << "计算 2 + 3 * 4"_ba << u"calculator"_s << QString() << QString()
                                << QStringList{u" 等于14呀,拜托来点更高难度的"_s,
                                               u" 这么简单你也不会呀,等于14啊"_s,
                                               u"我没算错的话,结果应该是14"_s,
                                               u"等于14,阿木的计算绝对准确"_s};
    QTest::newRow("calculator without a value")
        << "计算1/0"_ba << u"calculator"_s << QString() << QString()
        << QStringList{u"太难了，把阿木都算晕了还算不出来~换一个吧"_s};
    QTest::newRow("command") << "/ QQT"_ba << u"command"_s << QString() << QString()
                             << QStringList{u"不经意间你又被我玩了，哇哈哈哈哈o(^▽^)o"_s};
    QTest::newRow("/clear says nothing")
        << "/clear"_ba << u"command"_s << QString() << QString() << QStringList();
    QTest::newRow("/teach points to the window")
        << "/teach"_ba << u"command"_s << QString() << QString()
        << QStringList{u"调教阿木要在妙语通的窗口里进行：在终端里输入 miaoyutong --data-dir \"%1\""
                       u"（或者从应用程序菜单打开“妙语通”），再在窗口里发送 /teach。"_s.arg(
                           QDir::toNativeSeparators(m_dir.path()))};
    QTest::newRow("a cry for help") << "我不想活了"_ba << u"care:self"_s << QString() << QString()
                                    << escaped(Care::builtIn().linesFor(Care::Concern::Self));
    QTest::newRow("acting now") << "我现在就站在楼顶边上，不想活了"_ba << u"care:now"_s << QString()
                                << QString()
                                << escaped(Care::builtIn().linesFor(Care::Concern::Now));
    QTest::newRow("a helper") << "朋友说他不想活了，我该怎么劝他？"_ba << u"care:helper"_s
                              << QString() << QString()
                              << escaped(Care::builtIn().linesFor(Care::Concern::SomeoneElse));
    QTest::newRow("distress") << "失恋了，心里好难受"_ba << u"care:distress"_s << QString()
                              << QString()
                              << escaped(Care::builtIn().linesFor(Care::Concern::Distress));
    QTest::newRow("no answer") << "今天天气"_ba << u"no-answer"_s << QString() << QString()
                               << QStringList{u"你在说什么？"_s, u"阿木听不懂"_s};
    QTest::newRow("spaces only") << "   "_ba << u"blank"_s << QString() << QString()
                                 << QStringList{u"注意：请不要发送空白内容"_s};
    QTest::newRow("an empty line") << ""_ba << u"blank"_s << QString() << QString()
                                   << QStringList{u"注意：请不要发送空白内容"_s};
    QTest::newRow("over the limit")
        << QByteArray(1'500'001, 'a') << u"too-long"_s << QString() << QString()
        << QStringList{u"输入的内容太长了（约 1,500,001 字）。一条消息最多 1,500,000 字，"
                       u"请分几次发送。"_s};
}

void TstConsole::routesInBatch()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, route);
    QFETCH(QString, key);
    QFETCH(QString, row);
    QFETCH(QStringList, lines);

    const Run run =
        console({u"--data-dir"_s, m_dir.path(), u"--now"_s, Now, u"--all-replies"_s}, input + '\n');
    QCOMPARE(run.status, 0);
    QCOMPARE(run.rows.size(), 1);
    const QStringList columns = run.rows.constFirst().split(u'\t');
    QCOMPARE(columns.size(), 6);
    QCOMPARE(columns.at(0), u"1"_s);
    QCOMPARE(columns.at(1), route);
    QCOMPARE(columns.at(2), key);
    QCOMPARE(columns.at(3), row);
    // blank and too-long say nothing the road chose among: only their one notice.
    if (route != u"blank" && route != u"too-long")
        QCOMPARE(columns.at(5).split(u" ‖ "_s, Qt::SkipEmptyParts), lines);
    if (lines.isEmpty())
        QVERIFY(columns.at(4).isEmpty());
    else
        QVERIFY2(lines.contains(columns.at(4)), qPrintable(columns.at(4)));
}

void TstConsole::batchAnswersEveryLine()
{
    // "/exit" ends nothing in a batch, and a CR before the line end is not part of the message.
    const Run run =
        console({u"--data-dir"_s, m_dir.path(), u"--header"_s}, "/exit\r\n你好\r\n/help\n"_ba);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.rows.size(), 4);
    QCOMPARE(run.rows.at(0), u"n\troute\tkey\trow\treply"_s);
    QCOMPARE(run.rows.at(1), u"1\tcommand\t\t\t"_s);
    QCOMPARE(run.rows.at(2), u"2\tentry\t你好\t1\t你好呀"_s);
    QVERIFY(
        run.rows.at(3).startsWith(u"3\tcommand\t\t\t阿木告诉你怎么用：\\r\\n/help    显示帮助"_s));
    QVERIFY(run.err.isEmpty());
}

void TstConsole::seedMakesRunsRepeatable()
{
    QByteArray input;
    for (int i = 0; i < 40; ++i)
        input += "今天天气\n";
    const auto withSeed = [&](const QString &seed) {
        return console({u"--data-dir"_s, m_dir.path(), u"--seed"_s, seed}, input).rows;
    };
    const QStringList first = withSeed(u"7"_s);
    QCOMPARE(first.size(), 40);
    QCOMPARE(withSeed(u"7"_s), first);
    QVERIFY(withSeed(u"8"_s) != first);
}

void TstConsole::refusesBadInput_data()
{
    QTest::addColumn<QString>("knowledge"); // what Data.ait is: good, missing, damaged, ...
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QStringList>("rows");

    const QString good = u"good"_s;
    const QByteArray hello = "你好\n"_ba;
    const QStringList answered = {u"1\tentry\t你好\t1\t你好呀"_s};
    QTest::newRow("bytes that are not UTF-8")
        << good << QStringList() << "你好\n\xff好\n"_ba << 0 << u"第 2 行有不是 UTF-8 的字节"_s
        << QStringList{answered.constFirst(), u"2\tno-answer"_s};
    QTest::newRow("unknown option") << good << QStringList{u"--bogus"_s} << QByteArray() << 2
                                    << u"不认识的选项 --bogus"_s << QStringList();
    QTest::newRow("a seed below zero") << good << QStringList{u"--seed"_s, u"-1"_s} << QByteArray()
                                       << 2 << u"--seed 要写一个不小于 0 的整数"_s << QStringList();
    QTest::newRow("a day that does not exist")
        << good << QStringList{u"--now"_s, u"2014-13-01 00:00:00"_s} << QByteArray() << 2
        << u"--now 要写成“yyyy-MM-dd hh:mm:ss”的样子"_s << QStringList();
    QTest::newRow("an option without its value")
        << good << QStringList{u"--seed"_s} << QByteArray() << 2 << u"--seed 后面要写一个值"_s
        << QStringList();
    QTest::newRow("a message as an argument") << good << QStringList{u"你好"_s} << QByteArray() << 2
                                              << u"多余的参数“你好”"_s << QStringList();
    QTest::newRow("two sources of knowledge") << good << QStringList{u"--default"_s} << QByteArray()
                                              << 2 << u"只能选一个"_s << QStringList();
    // A file the window would refuse or ask about: its reason, and nothing written.
    QTest::newRow("no Data.ait") << u"missing"_s << QStringList() << hello << 1
                                 << u"还没有数据文件 Data.ait"_s << QStringList();
    QTest::newRow("damaged") << u"damaged"_s << QStringList() << hello << 1 << u"无法读取数据文件"_s
                             << QStringList();
    QTest::newRow("saved as UTF-8") << u"utf8"_s << QStringList() << hello << 1
                                    << u"数据文件是 UTF-8 编码的"_s << QStringList();
    QTest::newRow("a folder by its name")
        << u"folder"_s << QStringList() << hello << 1 << u"不是普通的文件"_s << QStringList();
    QTest::newRow("too large") << u"huge"_s << QStringList() << hello << 1 << u"无法读取数据文件"_s
                               << QStringList();
    QTest::newRow("read-only, answered")
        << u"readonly"_s << QStringList() << hello << 0 << QString() << answered;
}

void TstConsole::refusesBadInput()
{
    QFETCH(QString, knowledge);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(QStringList, rows);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Data.ait"_s);
    QFile file(path);
    if (knowledge == u"folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (knowledge != u"missing") {
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QString text = knowledgeText(Entries);
        if (knowledge == u"huge")
            QVERIFY(file.resize(KnowledgeFile::MaxFileSize + 1)); // sparse: no disk it takes
        else if (knowledge == u"damaged")
            file.write(*GbkCodec::encode(text.left(text.indexOf(u"[AI_Dat]"_s) + 3)));
        else if (knowledge == u"utf8")
            file.write(text.toUtf8());
        else
            file.write(*GbkCodec::encode(text));
        file.close();
    }
    if (knowledge == u"readonly") {
        QVERIFY(file.setPermissions(QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    const QStringList before = snapshot(dir.path());

    const Run run = console(QStringList{u"--data-dir"_s, dir.path()} + arguments, input);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(said), qPrintable(run.err));
    if (status == 1 && knowledge != u"missing")
        QVERIFY2(run.err.contains(dir.path()), qPrintable(run.err));
    QCOMPARE(run.rows.size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        QVERIFY2(run.rows.at(i).startsWith(rows.at(i)), qPrintable(run.rows.at(i)));
    QCOMPARE(snapshot(dir.path()), before);
}

void TstConsole::saysWhatTheWindowSays()
{
    QFile file(QStringLiteral(MIAOYU_TEST_DATA "/reply_fit.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList messages;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    // What only a window can do is left out: its screen, its teaching mode, its ending, its
    // browser.
    const QStringList windowOnly = {u"/clear"_s, u"/teach"_s, u"/exit"_s, u"/getcode"_s};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString message = lines.at(i).section(u'\t', 0, 0);
        if (!windowOnly.contains(TextRules::normalise(message)))
            messages.append(message);
    }
    QVERIFY(messages.size() > 250);

    WindowHarness h;
    ReseedableRandom random;
    h.adjustSeams = [&random](FrmMainSeams &seams) { seams.random = &random; };
    h.clock.set(QDateTime::fromString(Now, u"yyyy-MM-dd hh:mm:ss"_s));
    h.writeKnowledge(GbkCodec::decode(*KnowledgeFile::firstRunBytes(u"zu"_s)));
    h.make();
    QVERIFY(h.startWindow());
    random.reseed(11); // after the greeting's draw
    QStringList windowSaid;
    for (const QString &message : messages) {
        h.send(message);
        h.window->replyTick();
        windowSaid.append(h.window->lastReply());
    }

    // The console reads the file the open window uses.
    QByteArray input;
    for (const QString &message : messages)
        input += message.toUtf8() + '\n';
    const Run run = console(
        {u"--data-dir"_s, QFileInfo(h.dataPath()).path(), u"--seed"_s, u"11"_s, u"--now"_s, Now},
        input);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.rows.size(), messages.size());
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const QString consoleSaid = run.rows.at(i).section(u'\t', 4);
        QVERIFY2(consoleSaid == escaped({windowSaid.at(i)}).constFirst(),
                 qPrintable(u"%1: window %2, console %3"_s.arg(messages.at(i), windowSaid.at(i),
                                                               consoleSaid)));
    }
}

void TstConsole::talksAtATerminal()
{
    // A person at a terminal: prompts, 阿木's answers, "/exit" to end, and no history file in
    // their home folder afterwards.
    QTemporaryDir home;
    QList<QByteArray> environment;
    for (const QString &variable : QProcessEnvironment::systemEnvironment().toStringList()) {
        if (!variable.startsWith(u"HOME="_s))
            environment.append(variable.toLocal8Bit());
    }
    environment.append("HOME=" + home.path().toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    QByteArray dataDir = m_dir.path().toLocal8Bit();
    char program[] = MIAOYU_CONSOLE;
    char dataDirOption[] = "--data-dir";
    char *argv[] = {program, dataDirOption, dataDir.data(), nullptr};

    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    QVERIFY(child >= 0);
    if (child == 0) {
        execve(program, argv, envp.data());
        _exit(127);
    }
    QByteArray shown;
    // Reads what the terminal shows until it holds wanted (or, with none, until the end).
    const auto readUntil = [&](const QByteArray &wanted) {
        QDeadlineTimer deadline(120000);
        while (wanted.isEmpty() || !shown.contains(wanted)) {
            pollfd ready{terminal, POLLIN, 0};
            if (poll(&ready, 1, int(deadline.remainingTime())) <= 0)
                return false;
            char buffer[4096];
            const ssize_t got = read(terminal, buffer, sizeof buffer);
            if (got <= 0)
                return wanted.isEmpty();
            shown.append(buffer, got);
        }
        return true;
    };
    QVERIFY(readUntil("你："));
    QVERIFY(write(terminal, "你好\r", strlen("你好\r")) > 0);
    QVERIFY(readUntil("阿木：你好呀"));
    QVERIFY(write(terminal, "/exit\r", 6) == 6);
    QVERIFY(readUntil({}));
    int status = -1;
    QCOMPARE(waitpid(child, &status, 0), child);
    close(terminal);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

QTEST_MAIN(TstConsole)
#include "tst_console.moc"
