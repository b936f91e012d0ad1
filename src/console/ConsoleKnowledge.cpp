// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "console/ConsoleKnowledge.h"

#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QFileInfo>

namespace ConsoleKnowledge {

namespace {

const QString NothingChanged = QStringLiteral("没有改动任何文件。");

// The window's words about a file, a line each on a terminal.
QString asLines(const QString &message)
{
    return QString(message).replace(u'\r', u'\n');
}

} // namespace

Result<KnowledgeBase> read(const QStringList &folders)
{
    QString path;
    QStringList shown;
    for (const QString &folder : folders) {
        const QString candidate =
            QFileInfo(QDir(folder).filePath(KnowledgeFile::FileName)).absoluteFilePath();
        shown.append(QDir::toNativeSeparators(candidate));
        // Anything by that name counts, a folder included: the load says what is wrong with it.
        if (QFileInfo::exists(candidate)) {
            path = candidate;
            break;
        }
    }
    if (path.isEmpty()) {
        return Result<KnowledgeBase>::failure(
            QStringLiteral("还没有数据文件 Data.ait。找过这些地方：\n") + shown.join(u'\n') +
            QStringLiteral("\n\n先打开一次妙语通（在终端里输入 miaoyutong），它会问你的名字，"
                           "然后新建数据文件；也可以加上 --default，用程序自带的知识聊天。"));
    }

    KnowledgeFile::Loaded loaded = KnowledgeFile::load(path);
    if (loaded.looksUtf8) {
        return Result<KnowledgeBase>::failure(asLines(KnowledgeFile::problemMessage(
            QStringLiteral("数据文件是 UTF-8 编码的："), path,
            QStringLiteral("妙语通只能读取 GBK 编码的数据文件。打开一次妙语通，它会提出把文件"
                           "转换成 GBK 编码，并把原来的文件留作备份。"),
            NothingChanged)));
    }
    if (!loaded.knowledge) {
        return Result<KnowledgeBase>::failure(
            asLines(KnowledgeFile::problemMessage(QStringLiteral("无法读取数据文件："), path,
                                                  loaded.knowledge.reason(), NothingChanged)));
    }
    return std::move(loaded.knowledge);
}

Result<KnowledgeBase> builtIn()
{
    // The file a first run would write, for a user with no name yet.
    return KnowledgeBase::parse(*KnowledgeFile::firstRunBytes(QString()));
}

} // namespace ConsoleKnowledge
