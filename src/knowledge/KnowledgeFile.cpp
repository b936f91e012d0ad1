// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/KnowledgeFile.h"

#include "common/GbkCodec.h"
#include "common/TextRules.h"
#include "knowledge/CheckedReplace.h"
#include "knowledge/DefaultKnowledge.h"
#include "knowledge/FileAccess.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFormat.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

using FileAccess::Descriptor;
using FileAccess::notAFile;
using FileAccess::reasonFor;

// Opens path for reading if it is a regular file of at most MaxFileSize; its stamp holds its
// size, modification time and identity, not yet a checksum. Opened without blocking, so that a
// pipe cannot hold up the start; only then is it known what the name stands for.
Result<FileStamp> openForReading(const QString &path, Descriptor &file)
{
    file.reset(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0)
        return Result<FileStamp>::failure(reasonFor(errno));
    Result<FileStamp> stamp = FileAccess::inspect(file.fd);
    if (stamp)
        stamp->linkedTo = FileAccess::linkTargetOf(path);
    return stamp;
}

// stampOf() for a file already open as fd, whose stamp without checksum is given.
Result<FileStamp> stampOpen(int fd, FileStamp stamp, std::optional<FileStamp> unless)
{
    // Another size, time or file: changed, whatever the bytes say. The same ones: unchanged,
    // unless the file was that new when it was stamped.
    if (unless &&
        (stamp.size != unless->size || stamp.modifiedNs != unless->modifiedNs ||
         stamp.device != unless->device || stamp.inode != unless->inode || !unless->checksum))
        return stamp;
    if (!unless && !FileAccess::changedMomentsAgo(stamp))
        return stamp;
    const Result<quint32> checksum = FileAccess::checksumOf(fd, stamp.size);
    if (!checksum)
        return Result<FileStamp>::failure(checksum.reason());
    stamp.checksum = *checksum;
    return stamp;
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

// The whole of a file that load() would read, and its stamp with the checksum of what was read:
// the UTF-8 conversion's small file.
Result<QByteArray> readWhole(const QString &path, FileStamp &stamp)
{
    Descriptor file;
    const Result<FileStamp> opened = openForReading(path, file);
    if (!opened)
        return Result<QByteArray>::failure(opened.reason());
    QByteArray bytes(opened->size, Qt::Uninitialized);
    const Result<qsizetype> got = FileAccess::readUpTo(file.fd, bytes.data(), bytes.size());
    if (!got)
        return Result<QByteArray>::failure(got.reason());
    bytes.truncate(*got);
    stamp = *opened;
    stamp.checksum = FileAccess::addToChecksum(FileAccess::addToChecksum(0, {}), bytes);
    return bytes;
}

// What to write over a file only while it is still the one looked at: a change another program
// made meanwhile is theirs to keep, and the write is refused with refusal.
CheckedReplace::Compose onlyIfUnchanged(const QByteArray &bytes, const QString &refusal)
{
    return [bytes, refusal](const KnowledgeFile::Loaded *changed) {
        if (changed)
            return Result<CheckedReplace::Content>::failure(refusal);
        return Result<CheckedReplace::Content>(CheckedReplace::Content{bytes});
    };
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
            return Result<QByteArray>::failure(
                QStringLiteral("关键字表里有无法保存的字符“%1”。")
                    .arg(TextRules::shown(GbkCodec::firstUnencodable(stretch))));
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
    Descriptor file;
    const Result<FileStamp> opened = openForReading(path, file);
    if (!opened)
        return Loaded{Result<KnowledgeBase>::failure(opened.reason())};
    return loadOpen(file.fd, *opened, stop);
}

Loaded loadOpen(int fd, FileStamp stamp, const std::atomic_bool *stop)
{
    const auto refused = [](const QString &reason) {
        return Loaded{Result<KnowledgeBase>::failure(reason)};
    };
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return refused(reasonFor(errno));
    std::optional<quint32> checksum;
    if (FileAccess::changedMomentsAgo(stamp))
        checksum = FileAccess::addToChecksum(0, {});

    KnowledgeBase::Reader reader(stamp.size);
    QByteArray piece(std::min(PieceBytes, std::max<qsizetype>(stamp.size, 1)), Qt::Uninitialized);
    for (qsizetype left = stamp.size; left > 0;) {
        if (stopped(stop))
            return refused(stoppedReason());
        const Result<qsizetype> got =
            FileAccess::readUpTo(fd, piece.data(), std::min(left, piece.size()));
        if (!got)
            return refused(got.reason());
        if (*got == 0)
            break; // the file shrank meanwhile
        left -= *got;
        const QByteArrayView bytes(piece.constData(), *got);
        reader.add(bytes);
        if (checksum)
            checksum = FileAccess::addToChecksum(*checksum, bytes);
    }
    stamp.checksum = checksum;
    Result<KnowledgeBase> knowledge = reader.finish();
    if (knowledge)
        knowledge->source = stamp;
    return Loaded{std::move(knowledge), reader.looksUtf8()};
}

Result<FileStamp> stampOf(const QString &path, std::optional<FileStamp> unless)
{
    Descriptor file;
    const Result<FileStamp> opened = openForReading(path, file);
    if (!opened)
        return opened;
    return stampOpen(file.fd, *opened, unless);
}

bool changedSince(const QString &path, const FileStamp &stamp)
{
    // Gone, or no longer a file load() would read, counts as changed.
    const Result<FileStamp> now = stampOf(path, stamp);
    return !now || *now != stamp;
}

Chosen choose(const QString &path)
{
    return {path, FileAccess::linkTargetOf(path)};
}

Status write(const Chosen &file, const QByteArray &bytes, const WriteFault &fault)
{
    // What has the name now, followed only if it was a link when chosen.
    const QByteArray name = QFile::encodeName(file.path);
    const bool wasLink = !file.linkedTo.isEmpty();
    struct stat status = {};
    if ((wasLink ? ::stat(name.constData(), &status) : ::lstat(name.constData(), &status)) != 0) {
        if (errno == ENOENT && !wasLink)
            return CheckedReplace::create(file.path, bytes, {}, fault);
        return Status::failure(reasonFor(errno));
    }
    if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode))
        return Status::failure(notAFile());
    // A link where there was none when chosen has no file of its own: replace() refuses it
    // without following it.
    FileStamp known;
    if (S_ISREG(status.st_mode)) {
        known.size = status.st_size;
        known.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
        known.device = quint64(status.st_dev);
        known.inode = quint64(status.st_ino);
    }
    known.linkedTo = file.linkedTo;
    CheckedReplace::Options options;
    options.fault = fault;
    return CheckedReplace::replace(
               file.path, known,
               onlyIfUnchanged(bytes, QStringLiteral("写入的同时，别的程序改动了这个文件，"
                                                     "所以妙语通没有写入。可以再试一次。")),
               options)
        .written;
}

// The permissions of a copy of path: never wider than the file's own (a private Data.ait stays
// private in its copies), and private when there is no file.
mode_t modeLike(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return status.st_mode & 0666;
    return 0600;
}

// The first of stem + suffix, stem + separator + "1" + suffix, … that does not exist.
QString freeName(const QString &stem, const QString &separator, const QString &suffix)
{
    QString candidate = stem + suffix;
    for (int n = 1; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = stem + separator + QString::number(n) + suffix;
    return candidate;
}

QString keptPattern(const QString &path)
{
    return QFileInfo(path).fileName() + QStringLiteral(".未保存-*.ait");
}

std::optional<QString> keep(const QString &path, const QByteArray &bytes,
                            const QStringList &fallbackFolders)
{
    const QFileInfo data(path);
    const QString name = data.fileName() + QStringLiteral(".未保存-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const mode_t mode = modeLike(path);
    // Beside the file, where the user looks first; where that folder takes no new file (a
    // read-only medium, a full disk), in the user's own folders.
    for (const QString &folder : QStringList{data.absolutePath()} + fallbackFolders) {
        // The user's own folders may not be made yet; the data file's is never made again (a
        // removed medium would come back as an empty folder).
        if (folder.isEmpty() || (folder != data.absolutePath() && !QDir().mkpath(folder)))
            continue;
        const QString kept =
            freeName(QDir(folder).filePath(name), QStringLiteral("-"), QStringLiteral(".ait"));
        if (CheckedReplace::create(kept, bytes, mode))
            return kept;
    }
    return std::nullopt;
}

QString freeBackupPath(const QString &path)
{
    return freeName(path + QStringLiteral(".utf8"), QStringLiteral("."), QStringLiteral(".bak"));
}

QStringList keptFiles(const QString &path, const QStringList &fallbackFolders)
{
    QStringList kept;
    QStringList folders = {QFileInfo(path).absolutePath()};
    for (const QString &folder : fallbackFolders) {
        if (!folder.isEmpty() && !folders.contains(QDir::cleanPath(folder)))
            folders.append(QDir::cleanPath(folder));
    }
    for (const QString &folder : std::as_const(folders)) {
        const QFileInfoList found =
            QDir(folder).entryInfoList({keptPattern(path)}, QDir::Files, QDir::Name);
        for (const QFileInfo &file : found)
            kept.append(file.filePath());
    }
    // The names carry the time they were kept.
    std::sort(kept.begin(), kept.end(), [](const QString &a, const QString &b) {
        return QFileInfo(a).fileName() < QFileInfo(b).fileName();
    });
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
    FileStamp read;
    const Result<QByteArray> utf8 = readWhole(path, read);
    if (!utf8)
        return Status::failure(utf8.reason());
    QString text = QString::fromUtf8(*utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const auto gbk = GbkCodec::encode(text);
    if (!gbk) {
        return Status::failure(QStringLiteral("文件里的字符“%1”无法用 GBK 保存，所以没有转换。")
                                   .arg(TextRules::shown(GbkCodec::firstUnencodable(text))));
    }
    // Never over an earlier backup: the name was free when the user was asked.
    if (const Status backedUp = CheckedReplace::create(backupPath, *utf8, modeLike(path), fault);
        !backedUp)
        return Status::failure(QStringLiteral("无法保存原文件的备份：") + backedUp.reason());
    // Only the file read is replaced, and only while it holds what was converted.
    CheckedReplace::Options options;
    options.fault = fault;
    return CheckedReplace::replace(
               path, read,
               onlyIfUnchanged(*gbk,
                               QStringLiteral("转换的同时，别的程序改动了数据文件，"
                                              "所以妙语通没有写入。重新打开妙语通可以再试。")),
               options)
        .written;
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
