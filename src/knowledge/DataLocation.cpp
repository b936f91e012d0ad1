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

QString choose(const QString &executableDir, const QString &appDataDir)
{
    if (hasKnowledge(executableDir))
        return executableDir;
    if (hasKnowledge(appDataDir))
        return appDataDir;
    if (canCreateFilesIn(executableDir))
        return executableDir;
    if (canCreateFilesIn(appDataDir))
        return appDataDir;
    return {};
}

} // namespace DataLocation
