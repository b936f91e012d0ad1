// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/FileAccess.h"

#include "knowledge/KnowledgeFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace FileAccess {

Descriptor::~Descriptor()
{
    reset();
}

void Descriptor::reset(int opened)
{
    if (fd >= 0)
        ::close(fd);
    fd = opened;
}

QString notAFile()
{
    return QStringLiteral("这不是普通的文件（可能是文件夹或系统的特殊文件），"
                          "妙语通只能读写普通的文件。");
}

QString reasonFor(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间不足，写不下新的内容。");
    case EROFS:
        return QStringLiteral("文件所在的磁盘是只读的。");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有访问这个文件或它所在文件夹的权限。");
    case EISDIR:
        return notAFile();
    case ENOENT:
        return QStringLiteral("文件或它所在的文件夹不存在。");
    case EIO:
        return QStringLiteral("读写磁盘时出错，磁盘可能有问题。");
    case EFBIG:
        return QStringLiteral("文件太大，超过了这个磁盘对单个文件大小的限制。");
    case ENAMETOOLONG:
        return QStringLiteral("文件的路径或名字太长。");
    case ELOOP:
        return QStringLiteral("路径里的链接互相指向，形成了循环，找不到真正的文件。");
    case ENOTDIR:
        return QStringLiteral("路径里有一段本应是文件夹，实际却不是。");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("同时打开的文件太多，请关闭一些程序后再试。");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正被别的程序占用。");
    default:
        // Never the system's English: the number lets someone who knows look it up.
        return QStringLiteral("系统报告了一个错误（错误号 %1）。").arg(error);
    }
}

Result<FileStamp> inspect(int fd)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        return Result<FileStamp>::failure(reasonFor(errno));
    if (!S_ISREG(status.st_mode))
        return Result<FileStamp>::failure(notAFile());
    if (status.st_size > KnowledgeFile::MaxFileSize) {
        return Result<FileStamp>::failure(
            QStringLiteral("文件太大（%1 MB 以上），妙语通最多只能读取 %2 MB 的文件。")
                .arg(status.st_size >> 20)
                .arg(KnowledgeFile::MaxFileSize >> 20));
    }
    FileStamp stamp;
    stamp.size = status.st_size;
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    stamp.device = quint64(status.st_dev);
    stamp.inode = quint64(status.st_ino);
    return stamp;
}

QString linkTargetOf(const QString &path)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISLNK(status.st_mode))
        return {};
    return QFileInfo(path).canonicalFilePath();
}

bool changedMomentsAgo(const FileStamp &stamp)
{
    // Within a tick of the file system's clock, or FAT's two seconds, with room to spare.
    constexpr qint64 Margin = qint64(3) * 1000000000;
    timespec now = {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const qint64 nowNs = qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    return nowNs - stamp.modifiedNs < Margin;
}

quint32 addToChecksum(quint32 checksum, QByteArrayView bytes)
{
    return quint32(
        ::crc32_z(checksum, reinterpret_cast<const Bytef *>(bytes.data()), size_t(bytes.size())));
}

Result<quint32> checksumOf(int fd, qint64 size)
{
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return Result<quint32>::failure(reasonFor(errno));
    constexpr qsizetype PieceBytes = qsizetype(1) << 20;
    quint32 checksum = addToChecksum(0, {});
    QByteArray piece(std::min<qint64>(PieceBytes, std::max<qint64>(size, 1)), Qt::Uninitialized);
    for (qint64 left = size; left > 0;) {
        const Result<qsizetype> got =
            readUpTo(fd, piece.data(), qsizetype(std::min<qint64>(left, piece.size())));
        if (!got)
            return Result<quint32>::failure(got.reason());
        if (*got == 0)
            break;
        left -= *got;
        checksum = addToChecksum(checksum, QByteArrayView(piece.constData(), *got));
    }
    return checksum;
}

Result<qsizetype> readUpTo(int fd, char *into, qsizetype size)
{
    qsizetype got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, into + got, size_t(size - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Result<qsizetype>::failure(reasonFor(errno));
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

} // namespace FileAccess
