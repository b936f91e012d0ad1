// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// How this folder meets the file system: open descriptors, the stamp of an open file, reading
// and writing whole buffers, and the words for what the system reports. Private to knowledge/.

#include "common/Result.h"
#include "knowledge/KnowledgeBase.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

struct stat;

namespace FileAccess {

// Closes a descriptor when it goes out of scope.
struct Descriptor
{
    int fd = -1;
    Descriptor() = default;
    explicit Descriptor(int opened) : fd(opened) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor();
    void reset(int opened = -1);
};

QString notAFile();
// The words for an error number from the file system.
QString reasonFor(int error);

// The stamp of the open file fd (size, time, identity), if it is a regular file of at most
// KnowledgeFile::MaxFileSize; no checksum yet.
Result<FileStamp> inspect(int fd);
// What the name path is when it is a symbolic link: the real file it leads to; empty otherwise.
QString linkTargetOf(const QString &path);
// Whether the file changed so shortly before now that another write could still carry the same
// times.
bool changedMomentsAgo(const FileStamp &stamp);
quint32 addToChecksum(quint32 checksum, QByteArrayView bytes);
// The checksum of fd's first size bytes, read from its start.
Result<quint32> checksumOf(int fd, qint64 size);
// Reads up to size bytes, fewer only at the end of the file.
Result<qsizetype> readUpTo(int fd, char *into, qsizetype size);
bool writeAll(int fd, const QByteArray &bytes);

} // namespace FileAccess
