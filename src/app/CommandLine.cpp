// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "app/CommandLine.h"

#include "BuildInfo.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>

namespace CommandLine {

namespace {

const QString Program = QStringLiteral("miaoyutong");

} // namespace

QString refusal(const QString &program, const QString &what)
{
    return QStringLiteral("%1：%2\n用 %1 --help 查看用法。").arg(program, what);
}

QString leftOver(const QCommandLineParser &parser)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        return QStringLiteral("不认识的选项 %1%2。")
            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
    }
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("多余的参数“%1”。").arg(parser.positionalArguments().constFirst());
    return {};
}

QString usualPlace(DataLocation::Placement placement, const QString &perUserDir)
{
    const QString perUser = QDir::toNativeSeparators(perUserDir);
    if (placement == DataLocation::Placement::PerUserOnly) {
        return QStringLiteral("                      不给这个选项时，数据文件放在个人数据文件夹\n"
                              "                      %1 里。\n")
            .arg(perUser);
    }
    return QStringLiteral("                      不给这个选项时，数据文件放在程序所在的文件夹里；\n"
                          "                      那里无法写入时，放在个人数据文件夹\n"
                          "                      %1 里。\n")
        .arg(perUser);
}

Request read(const QStringList &arguments, Unknown unknown)
{
    QCommandLineParser parser;
    // Long options may be written with one dash, as Qt's own are (-platform, -style): read
    // as compacted short options, "-reverse" would contain -v and print the version.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QString(),
                                     QStringLiteral("文件夹"));
    parser.addOptions({help, version, dataDir});
    parser.parse(arguments);

    Request request;
    if (parser.isSet(help)) {
        request.action = Request::Action::ShowHelp;
        return request;
    }
    if (parser.isSet(version)) {
        request.action = Request::Action::ShowVersion;
        return request;
    }
    if (parser.isSet(dataDir)) {
        // Given as the last argument, the option has no value at all.
        if (parser.values(dataDir).isEmpty()) {
            request.action = Request::Action::Refuse;
            request.error = refusal(Program, QStringLiteral("--data-dir 后面要写一个文件夹。"));
            return request;
        }
        request.dataDir = parser.value(dataDir);
    }
    if (unknown == Unknown::Refuse) {
        if (const QString wrong = leftOver(parser); !wrong.isEmpty()) {
            request.action = Request::Action::Refuse;
            request.error = refusal(Program, wrong);
            return request;
        }
    }
    return request;
}

QString helpText(DataLocation::Placement placement, const QString &perUserDir)
{
    return QStringLiteral("用法：%1 [选项]\n"
                          "\n"
                          "妙语通：陪你聊天、还能教它说话的聊天机器人阿木。\n"
                          "\n"
                          "选项：\n"
                          "  -h, --help          显示这份说明，然后退出。\n"
                          "  -v, --version       显示版本号，然后退出。\n"
                          "  --data-dir <文件夹> 把数据文件 Data.ait 放在这个文件夹里，\n"
                          "                      文件夹不存在就新建。\n")
               .arg(Program) +
           usualPlace(placement, perUserDir) +
           QStringLiteral("\n"
                          "Qt 的通用选项（例如 -platform、-style）也可以使用。\n");
}

QString versionText()
{
    return QStringLiteral("妙语通 %1\n"
                          "版权所有 © 妙语通开发者\n"
                          "许可证：GNU 通用公共许可证第 3 版或更新版本 "
                          "<https://www.gnu.org/licenses/gpl.html>\n"
                          "这是自由软件：您可以自由修改和重新发布它。"
                          "在法律允许的范围内，不提供任何担保。\n")
        .arg(QStringLiteral(MIAOYU_VERSION));
}

} // namespace CommandLine
