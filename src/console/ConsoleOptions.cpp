// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "console/ConsoleOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace ConsoleOptions {

namespace {

const QString Program = QStringLiteral("miaoyutong-console");
const QString NowFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

Request refused(const QString &what)
{
    Request request;
    request.action = Request::Action::Refuse;
    request.error = CommandLine::refusal(Program, what);
    return request;
}

} // namespace

Request read(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QString(),
                                     QStringLiteral("文件夹"));
    const QCommandLineOption builtIn(QStringLiteral("default"));
    const QCommandLineOption tsv(QStringLiteral("tsv"));
    const QCommandLineOption header(QStringLiteral("header"));
    const QCommandLineOption allReplies(QStringLiteral("all-replies"));
    const QCommandLineOption speak(QStringLiteral("speak"));
    const QCommandLineOption seed(QStringLiteral("seed"), QString(), QStringLiteral("N"));
    const QCommandLineOption now(QStringLiteral("now"), QString(), QStringLiteral("时间"));
    parser.addOptions({help, version, dataDir, builtIn, tsv, header, allReplies, speak, seed, now});
    // Besides an unknown option, parsing fails only for an option that takes a value given
    // last, with none after it.
    if (!parser.parse(arguments) && parser.unknownOptionNames().isEmpty())
        return refused(QStringLiteral("%1 后面要写一个值。").arg(arguments.constLast()));

    Request request;
    if (parser.isSet(help)) {
        request.action = Request::Action::ShowHelp;
        return request;
    }
    if (parser.isSet(version)) {
        request.action = Request::Action::ShowVersion;
        return request;
    }
    if (const QString wrong = CommandLine::leftOver(parser); !wrong.isEmpty()) {
        if (parser.unknownOptionNames().isEmpty()) {
            return refused(wrong + QStringLiteral("要和阿木聊天，直接运行 %1，或者把消息一行一条地"
                                                  "从标准输入传给它。")
                                       .arg(Program));
        }
        return refused(wrong);
    }
    if (parser.isSet(dataDir) && parser.isSet(builtIn))
        return refused(QStringLiteral("--data-dir 和 --default 只能选一个。"));
    if (parser.isSet(dataDir)) {
        if (parser.value(dataDir).isEmpty())
            return refused(QStringLiteral("--data-dir 后面要写一个文件夹。"));
        request.dataDir = parser.value(dataDir);
    }
    if (parser.isSet(seed)) {
        bool ok = false;
        const QString given = parser.value(seed);
        request.seed = given.toULongLong(&ok);
        if (!ok || given.startsWith(u'+'))
            return refused(QStringLiteral("--seed 要写一个不小于 0 的整数，例如 --seed 7。"));
    }
    if (parser.isSet(now)) {
        const QDateTime when = QDateTime::fromString(parser.value(now), NowFormat);
        if (!when.isValid()) {
            return refused(QStringLiteral("--now 要写成“yyyy-MM-dd hh:mm:ss”的样子，例如 "
                                          "--now \"2014-09-05 06:43:55\"。"));
        }
        request.now = when;
    }
    request.builtInKnowledge = parser.isSet(builtIn);
    request.batch = parser.isSet(tsv);
    request.header = parser.isSet(header);
    request.allReplies = parser.isSet(allReplies);
    request.speak = parser.isSet(speak);
    return request;
}

QString helpText(DataLocation::Placement placement, const QString &perUserDir)
{
    return QStringLiteral("用法：%1 [选项]\n"
                          "\n"
                          "在终端里和阿木聊天。用的是妙语通窗口所用的同一个数据文件 Data.ait，\n"
                          "只读不写：不会改动、转换或备份任何文件，妙语通开着时也可以用。\n"
                          "\n"
                          "标准输入是终端时，一问一答：输入一句话，按回车，阿木就回答。\n"
                          "/exit 或 Ctrl+D 结束。调教阿木要在妙语通的窗口里进行。\n"
                          "\n"
                          "标准输入不是终端（或者给了 --tsv）时，按批处理：每行一条消息\n"
                          "（\\n、\\t、\\\\ 分别表示换行、制表符和反斜杠），每条消息输出一行，\n"
                          "各列用制表符隔开：行号、路线、关键字、表中第几条、回复。路线是\n"
                          "command、calculator、care:now、care:self、care:helper、\n"
                          "care:distress、rude、entry、no-answer、blank（空白消息）或\n"
                          "too-long（超过消息长度上限）之一。\n"
                          "\n"
                          "选项：\n"
                          "  -h, --help          显示这份说明，然后退出。\n"
                          "  -v, --version       显示版本号，然后退出。\n"
                          "  --data-dir <文件夹> 用这个文件夹里的 Data.ait。\n")
               .arg(Program) +
           CommandLine::usualPlace(placement, perUserDir) +
           QStringLiteral(
               "  --default           不读数据文件，用程序自带的知识。\n"
               "  --tsv               按批处理，即使标准输入是终端。\n"
               "  --header            批处理时先输出一行列名。\n"
               "  --all-replies       批处理时多输出一列：同一条路线可能说的每一句，\n"
               "                      用“ ‖ ”隔开。\n"
               "  --seed <N>          用整数 N 作随机种子，每次运行的回答都一样。\n"
               "  --now <时间>        把现在固定为这个时间，写成 \"yyyy-MM-dd hh:mm:ss\"，\n"
               "                      [day] 和 [time] 就按它填写。\n"
               "  --speak             像妙语通的窗口一样，把阿木的话念出来。\n"
               "\n"
               "退出状态：0 正常；1 数据文件不能用；2 命令行有误。\n");
}

} // namespace ConsoleOptions
