// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/SourceLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QUrl SourceLocation::choose(const QString &address, const QStringList &folders)
{
    if (!address.isEmpty())
        return QUrl(address);
    for (const QString &folder : folders) {
        // An empty name would be taken for the current folder.
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return QUrl::fromLocalFile(QDir::cleanPath(QDir(folder).absolutePath()));
    }
    return {};
}

QString SourceLocation::configuredAddress()
{
    return QStringLiteral(MIAOYU_SOURCE_URL);
}

QUrl SourceLocation::forThisProgram()
{
    // The documentation folder is found from the executable, so an installed program finds
    // its own under whatever prefix it was installed. A packaged build knows no source folder.
    const QString documentation = QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QStringLiteral(MIAOYU_DOC_FROM_BINARY));
    return choose(configuredAddress(), {documentation, QString::fromUtf8(MIAOYU_SOURCE_DIR)});
}
