// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/KnowledgeFile.h"

#include "common/GbkCodec.h"
#include "knowledge/DefaultKnowledge.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFormat.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

using namespace KnowledgeFormat;

namespace {

QString notAFile()
{
    return QStringLiteral("这不是普通的文件（可能是文件夹或系统的特殊文件），"
                          "妙语通只能读写普通的文件。");
}

// The words for an error number from the file system.
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

// Closes a descriptor when it goes out of scope.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens path for reading if it is a regular file of at most MaxFileSize; its stamp holds its
// size and modification time, not yet a checksum. Opened without blocking, so that a pipe
// cannot hold up the start; only then is it known what the name stands for.
Result<FileStamp> openForReading(const QString &path, Descriptor &file)
{
    file.fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file.fd < 0)
        return Result<FileStamp>::failure(reasonFor(errno));
    struct stat status = {};
    if (::fstat(file.fd, &status) != 0)
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
    return stamp;
}

// Whether the file changed so shortly before now that another write could still carry the same
// times: within a tick of the file system's clock, or FAT's two seconds, with room to spare.
bool changedMomentsAgo(const FileStamp &stamp)
{
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

// Files are read a piece at a time, so that a stop asked for meanwhile is seen soon.
constexpr qsizetype PieceBytes = qsizetype(1) << 20;

bool stopped(const std::atomic_bool *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

QString stoppedReason()
{
    return QStringLiteral("读取被中止。");
}

// Reads up to size bytes, fewer only at the end of the file: what the size promised and no
// more, should the file grow meanwhile.
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

// The whole of a file that load() would read: the UTF-8 conversion's small file.
Result<QByteArray> readWhole(const QString &path)
{
    Descriptor file{-1};
    const Result<FileStamp> opened = openForReading(path, file);
    if (!opened)
        return Result<QByteArray>::failure(opened.reason());
    QByteArray bytes(opened->size, Qt::Uninitialized);
    const Result<qsizetype> got = readUpTo(file.fd, bytes.data(), bytes.size());
    if (!got)
        return Result<QByteArray>::failure(got.reason());
    bytes.truncate(*got);
    return bytes;
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

// Appends row with every LF that has no CR before it written as CR LF, as withCrLf() does for
// bytes: a file edited elsewhere may hold bare LFs inside an entry too.
void appendWithCrLf(QStringView row, QString &out)
{
    if (!row.contains(u'\n')) {
        out += row;
        return;
    }
    QChar previous;
    for (const QChar c : row) {
        if (c == u'\n' && previous != u'\r')
            out += u'\r';
        out += c;
        previous = c;
    }
}

} // namespace

namespace KnowledgeFile {

std::optional<QByteArray> firstRunBytes(const QString &userName)
{
    const auto header = GbkCodec::encode(ItemSeparator + userName + ItemSeparator);
    if (!header)
        return std::nullopt;
    return *header + LineEndBytes + DefaultKnowledge::bytes() + LineEndBytes;
}

Result<QByteArray> teachingSaveBytes(const KnowledgeBase &loaded, qsizetype count,
                                     const std::function<QStringView(qsizetype)> &entryAt)
{
    const QByteArray prefix = withCrLf(loaded.headBytes);
    if (!prefix.endsWith(MarkerBytes))
        return Result<QByteArray>::failure(QStringLiteral("数据文件的分段标记不完整。"));

    // A million entries: the bytes go into one buffer of their final size, encoded a stretch of
    // rows at a time, so that the table's text never stands in memory a second time.
    qsizetype length = 0;
    for (qsizetype i = 0; i < count; ++i)
        length += 1 + KnowledgeEntry::withoutLineEnd(entryAt(i)).size() + LineEnd.size();
    QByteArray bytes;
    // At most two bytes per character.
    bytes.reserve(prefix.size() + qsizetype(sizeof LineEndBytes) + 2 * length);
    bytes.append(prefix);
    bytes.append(LineEndBytes);

    constexpr qsizetype StretchChars = 1 << 16;
    GbkCodec::Encoder encoder;
    QString stretch;
    stretch.reserve(StretchChars + 256);
    for (qsizetype i = 0; i < count; ++i) {
        stretch += ItemSeparator;
        appendWithCrLf(KnowledgeEntry::withoutLineEnd(entryAt(i)), stretch);
        stretch += LineEnd;
        if (stretch.size() < StretchChars && i + 1 < count)
            continue;
        if (!encoder.append(stretch, bytes)) {
            return Result<QByteArray>::failure(QStringLiteral("关键字表里有无法保存的字符“%1”。")
                                                   .arg(GbkCodec::firstUnencodable(stretch)));
        }
        stretch.truncate(0);
    }
    return bytes;
}

Result<QByteArray> teachingSaveBytes(const KnowledgeBase &loaded, const KeywordTable &entries)
{
    return teachingSaveBytes(loaded, entries.size(),
                             [&entries](qsizetype i) { return entries.at(i); });
}

Loaded load(const QString &path, const std::atomic_bool *stop)
{
    const auto refused = [](const QString &reason) {
        return Loaded{Result<KnowledgeBase>::failure(reason)};
    };
    Descriptor file{-1};
    const Result<FileStamp> opened = openForReading(path, file);
    if (!opened)
        return refused(opened.reason());
    FileStamp stamp = *opened;
    std::optional<quint32> checksum;
    if (changedMomentsAgo(stamp))
        checksum = addToChecksum(0, {});

    KnowledgeBase::Reader reader(stamp.size);
    QByteArray piece(std::min(PieceBytes, std::max<qsizetype>(stamp.size, 1)), Qt::Uninitialized);
    for (qsizetype left = stamp.size; left > 0;) {
        if (stopped(stop))
            return refused(stoppedReason());
        const Result<qsizetype> got = readUpTo(file.fd, piece.data(), std::min(left, piece.size()));
        if (!got)
            return refused(got.reason());
        if (*got == 0)
            break; // the file shrank meanwhile
        left -= *got;
        const QByteArrayView bytes(piece.constData(), *got);
        reader.add(bytes);
        if (checksum)
            checksum = addToChecksum(*checksum, bytes);
    }
    stamp.checksum = checksum;
    Result<KnowledgeBase> knowledge = reader.finish();
    if (knowledge)
        knowledge->source = stamp;
    return Loaded{std::move(knowledge), reader.looksUtf8()};
}

Result<FileStamp> stampOf(const QString &path, std::optional<FileStamp> unless)
{
    Descriptor file{-1};
    Result<FileStamp> opened = openForReading(path, file);
    if (!opened)
        return opened;
    FileStamp stamp = *opened;
    // Another size or time: changed, whatever the bytes say. The same ones: unchanged, unless
    // the file was that new when it was stamped.
    if (unless &&
        (stamp.size != unless->size || stamp.modifiedNs != unless->modifiedNs || !unless->checksum))
        return stamp;
    if (!unless && !changedMomentsAgo(stamp))
        return stamp;
    quint32 checksum = addToChecksum(0, {});
    QByteArray piece(std::min(PieceBytes, std::max<qsizetype>(stamp.size, 1)), Qt::Uninitialized);
    for (qsizetype left = stamp.size; left > 0;) {
        const Result<qsizetype> got = readUpTo(file.fd, piece.data(), std::min(left, piece.size()));
        if (!got)
            return Result<FileStamp>::failure(got.reason());
        if (*got == 0)
            break;
        left -= *got;
        checksum = addToChecksum(checksum, QByteArrayView(piece.constData(), *got));
    }
    stamp.checksum = checksum;
    return stamp;
}

bool changedSince(const QString &path, const FileStamp &stamp)
{
    // Gone, or no longer a file load() would read, counts as changed.
    const Result<FileStamp> now = stampOf(path, stamp);
    return !now || *now != stamp;
}

Status write(const QString &path, const QByteArray &bytes, const WriteFault &fault)
{
    // A file the user marked read-only stays untouched, even for an administrator whose
    // rename over it would succeed.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return Status::failure(notAFile());
    if (existing.exists() &&
        (!(existing.permissions() & QFileDevice::WriteOwner) || !existing.isWritable()))
        return Status::failure(QStringLiteral("文件是只读的。"));

    // The new content goes to a file beside the old one and replaces it in one rename, after
    // it is on the disk: a failure at any step leaves the old file as it was.
    const QString target = existing.isSymLink() ? existing.canonicalFilePath() : path;
    QByteArray temporary = QFile::encodeName(target) + ".XXXXXX";
    const Descriptor file{::mkostemp(temporary.data(), O_CLOEXEC)};
    if (file.fd < 0)
        return Status::failure(reasonFor(errno));
    auto removeTemporary = qScopeGuard([&] { ::unlink(temporary.constData()); });

    struct stat old = {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        ::fchmod(file.fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(file.fd, 0666 & ~mask);
    }

    QByteArray content = bytes;
    if (const int simulated = fault ? fault(content) : 0; simulated != 0)
        return Status::failure(reasonFor(simulated));
    if (!writeAll(file.fd, content) || ::fsync(file.fd) != 0)
        return Status::failure(reasonFor(errno));
    if (::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        return Status::failure(reasonFor(errno));
    removeTemporary.dismiss();
    return success();
}

// Writes bytes to a file that does not exist yet; a file of that name, whatever it is, is never
// touched (O_EXCL), and a half-written new one is removed again.
Status createNew(const QString &path, const QByteArray &bytes,
                 const KnowledgeFile::WriteFault &fault = {})
{
    QByteArray content = bytes;
    if (const int simulated = fault ? fault(content) : 0; simulated != 0)
        return Status::failure(reasonFor(simulated));
    const QByteArray name = QFile::encodeName(path);
    const Descriptor file{::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644)};
    if (file.fd < 0)
        return Status::failure(errno == EEXIST ? QStringLiteral("已经有同名的文件。")
                                               : reasonFor(errno));
    if (writeAll(file.fd, content) && ::fsync(file.fd) == 0)
        return Status(std::monostate());
    const int error = errno;
    ::unlink(name.constData());
    return Status::failure(reasonFor(error));
}

// The first of stem + suffix, stem + separator + "1" + suffix, … that does not exist.
QString freeName(const QString &stem, const QString &separator, const QString &suffix)
{
    QString candidate = stem + suffix;
    for (int n = 1; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = stem + separator + QString::number(n) + suffix;
    return candidate;
}

std::optional<QString> keepBeside(const QString &path, const QByteArray &bytes)
{
    const QString stem = path + QStringLiteral(".未保存-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString kept = freeName(stem, QStringLiteral("-"), QStringLiteral(".ait"));
    if (createNew(kept, bytes))
        return kept;
    return std::nullopt;
}

QString freeBackupPath(const QString &path)
{
    return freeName(path + QStringLiteral(".utf8"), QStringLiteral("."), QStringLiteral(".bak"));
}

QStringList keptBeside(const QString &path)
{
    const QFileInfo data(path);
    QStringList kept;
    const QFileInfoList found = data.dir().entryInfoList(
        {data.fileName() + QStringLiteral(".未保存-*.ait")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : found)
        kept.append(file.filePath());
    return kept;
}

QByteArray withCrLf(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.count('\n'));
    char previous = 0;
    for (const char c : bytes) {
        if (c == '\n' && previous != '\r')
            out += '\r';
        out += c;
        previous = c;
    }
    return out;
}

Status convertUtf8ToGbk(const QString &path, const QString &backupPath, const WriteFault &fault)
{
    const Result<QByteArray> utf8 = readWhole(path);
    if (!utf8)
        return Status::failure(utf8.reason());
    QString text = QString::fromUtf8(*utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const auto gbk = GbkCodec::encode(text);
    if (!gbk) {
        return Status::failure(QStringLiteral("文件里的字符“%1”无法用 GBK 保存，所以没有转换。")
                                   .arg(GbkCodec::firstUnencodable(text)));
    }
    // Never over an earlier backup: the name was free when the user was asked.
    if (const Status backedUp = createNew(backupPath, *utf8, fault); !backedUp)
        return Status::failure(QStringLiteral("无法保存原文件的备份：") + backedUp.reason());
    return write(path, *gbk, fault);
}

QString problemMessage(const QString &headline, const QString &path, const QString &reason,
                       const QString &consequence)
{
    QString text =
        headline + u'\r' + QDir::toNativeSeparators(path) + QStringLiteral("\r\r") + reason;
    if (!consequence.isEmpty())
        text += QStringLiteral("\r\r") + consequence;
    return text;
}

} // namespace KnowledgeFile
