// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/DataLocation.h"

#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

bool hasKnowledge(const QString &dir)
{
    return !dir.isEmpty() && QFileInfo::exists(QDir(dir).filePath(KnowledgeFile::FileName));
}

// Asks the file system rather than the permission bits: only a real file creation tells
// about read-only mounts and access lists.
bool canCreateFilesIn(const QString &dir)
{
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral("probe-XXXXXX")));
    return probe.open();
}

} // namespace

namespace DataLocation {

QString choose(const QString &executableDir, const QString &appDataDir, Placement placement)
{
    if (placement == Placement::PerUserOnly)
        return canCreateFilesIn(appDataDir) ? appDataDir : QString();
    for (const QString &dir : lookIn(executableDir, appDataDir, placement)) {
        if (hasKnowledge(dir))
            return dir;
    }
    if (canCreateFilesIn(executableDir))
        return executableDir;
    if (canCreateFilesIn(appDataDir))
        return appDataDir;
    return {};
}

QStringList lookIn(const QString &executableDir, const QString &appDataDir, Placement placement)
{
    if (placement == Placement::PerUserOnly)
        return {appDataDir};
    return {executableDir, appDataDir};
}

QString prepare(const QString &dir)
{
    if (dir.isEmpty())
        return QStringLiteral("没有给出文件夹的名字。");
    const QFileInfo info(dir);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    if (info.exists() && !info.isDir())
        return QStringLiteral("“%1”是一个文件，不是文件夹。").arg(shown);
    if (!QDir().mkpath(dir))
        return QStringLiteral("无法新建文件夹“%1”。").arg(shown);
    if (!canCreateFilesIn(dir))
        return QStringLiteral("文件夹“%1”不能写入。").arg(shown);
    return {};
}

} // namespace DataLocation
