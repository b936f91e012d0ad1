// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/CheckedReplace.h"

#include "knowledge/FileAccess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using FileAccess::Descriptor;
using FileAccess::reasonFor;

namespace {

// Another program that keeps changing the file at the very moment of each try: after this many,
// the save gives up in words and the user can try again.
constexpr int Attempts = 5;
// Saves of other windows that each replaced the file while this one waited for the lock: each is
// progress, so they count apart, with a bound only against a file system that never settles.
constexpr int Waits = 100;
// A save of another window holds the lock for as long as it writes: a million entries take well
// under a second, so this is ample without making a hung holder hang us.
constexpr auto LockWait = std::chrono::seconds(10);
constexpr auto LockPoll = std::chrono::milliseconds(20);
// "Data.ait" + "." + this many letters or digits: the temporary files of a save.
constexpr int TemporarySuffix = 6;

// How the words name the file: Data.ait is the data file; a copy the user saved elsewhere goes
// by its own name.
QString fileCalled(const QByteArray &name)
{
    const QString shown = QFile::decodeName(name);
    return shown == KnowledgeFile::FileName ? QStringLiteral("数据文件 Data.ait")
                                            : QStringLiteral("文件 ") + shown;
}

QString linkAppeared(const QByteArray &name)
{
    return QStringLiteral("%1 被换成了一个链接，指向别的文件。为了不改动那个文件，妙语通没有写入。")
        .arg(fileCalled(name));
}

QString linkMoved(const QString &path, const QString &was)
{
    return QStringLiteral("%1 是一个链接，原本指向 %2，现在指向了别处。"
                          "为了不改动别处的文件，妙语通没有写入。")
        .arg(fileCalled(QFile::encodeName(QFileInfo(path).fileName())),
             QDir::toNativeSeparators(was));
}

// Where the file lives: the folder it was read in, held open, and its name there.
struct Place
{
    Descriptor folder;
    QByteArray name;
};

Status openFolder(const QString &path, Place &place)
{
    const QFileInfo file(path);
    place.folder.reset(::open(QFile::encodeName(file.absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (place.folder.fd < 0)
        return Status::failure(reasonFor(errno));
    place.name = QFile::encodeName(file.fileName());
    return success();
}

Status locate(const QString &path, const FileStamp &known, Place &place)
{
    QString real = QFileInfo(path).absoluteFilePath();
    if (!known.linkedTo.isEmpty()) {
        // A Data.ait that was a link when read goes on leading to that file, and only to it.
        if (FileAccess::linkTargetOf(path) != known.linkedTo)
            return Status::failure(linkMoved(path, known.linkedTo));
        real = known.linkedTo;
    }
    return openFolder(real, place);
}

enum class Lock
{
    Held,
    Unsupported, // the file system has no such locks: the checks alone guard the save
    Busy,
};

// A write lock on the open file itself, not on its name, so two windows meet however each
// reached the file; another program that locks it too (another window) is waited for.
Lock lock(int fd)
{
    const auto deadline = std::chrono::steady_clock::now() + LockWait;
    for (;;) {
        struct flock request = {};
        request.l_type = F_WRLCK;
        request.l_whence = SEEK_SET;
        if (::fcntl(fd, F_OFD_SETLK, &request) == 0)
            return Lock::Held;
        if (errno != EAGAIN && errno != EACCES && errno != EINTR)
            return Lock::Unsupported;
        if (std::chrono::steady_clock::now() >= deadline)
            return Lock::Busy;
        std::this_thread::sleep_for(LockPoll);
    }
}

// A new temporary file in the folder, never over anything: name.XXXXXX. Its permissions are
// what the umask leaves of mode.
Result<QByteArray> createTemporary(const Place &place, Descriptor &file, mode_t mode = 0600)
{
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int tries = 0; tries < 100; ++tries) {
        QByteArray name = place.name + '.';
        for (int i = 0; i < TemporarySuffix; ++i)
            name += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)];
        file.reset(::openat(place.folder.fd, name.constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (file.fd >= 0)
            return name;
        if (errno != EEXIST)
            return Result<QByteArray>::failure(reasonFor(errno));
    }
    return Result<QByteArray>::failure(reasonFor(EEXIST));
}

// The file opened, what it is now and why it cannot be read, if so.
struct Opened
{
    Descriptor file;
    struct stat status = {};
    std::optional<KnowledgeFile::Loaded> unreadable;
};

Status open(const Place &place, Opened &opened)
{
    opened.file.reset(::openat(place.folder.fd, place.name.constData(),
                               O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (opened.file.fd < 0) {
        const int error = errno;
        struct stat status = {};
        const bool exists =
            ::fstatat(place.folder.fd, place.name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0;
        if (exists && S_ISLNK(status.st_mode))
            return Status::failure(linkAppeared(place.name));
        if (exists && S_ISREG(status.st_mode) && !(status.st_mode & S_IWUSR))
            return Status::failure(QStringLiteral("文件是只读的。"));
        if (error == EACCES || error == EPERM || error == EROFS)
            return Status::failure(reasonFor(error));
        // Gone, or become a folder or something else no save replaces: the composer decides.
        opened.unreadable = KnowledgeFile::Loaded{Result<KnowledgeBase>::failure(reasonFor(error))};
        return success();
    }
    if (::fstat(opened.file.fd, &opened.status) != 0)
        return Status::failure(reasonFor(errno));
    if (!S_ISREG(opened.status.st_mode)) {
        opened.unreadable =
            KnowledgeFile::Loaded{Result<KnowledgeBase>::failure(FileAccess::notAFile())};
        return success();
    }
    // A file the user marked read-only stays untouched, even for an administrator.
    if (!(opened.status.st_mode & S_IWUSR))
        return Status::failure(QStringLiteral("文件是只读的。"));
    return success();
}

// True while the name still leads to the open file.
bool nameLeadsTo(const Place &place, const char *name, const struct stat &file)
{
    struct stat now = {};
    return ::fstatat(place.folder.fd, name, &now, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(now.st_mode) && now.st_dev == file.st_dev && now.st_ino == file.st_ino;
}

// What to do with a file that another program swapped in at the very moment of the swap and
// that came out of it in this save's place: never removed, it is kept under a name of its own.
QString setAside(const Place &place, const char *at)
{
    const QByteArray aside =
        place.name +
        QStringLiteral(".被替换-%1.ait")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")))
            .toUtf8();
    const bool moved =
        ::renameat2(place.folder.fd, at, place.folder.fd, aside.constData(), RENAME_NOREPLACE) == 0;
    return QStringLiteral("保存的一瞬间，数据文件 Data.ait 被别的程序接连替换，妙语通没有写入。") +
           (moved ? QStringLiteral("当时替换进来的文件保存在同一个文件夹里，名为 %1。")
                        .arg(QFile::decodeName(aside))
                  : QString());
}

// The open file's stamp as now. Its bytes are summed when the times cannot tell: when like was
// summed and the times are the same, or when the file changed moments ago.
Result<FileStamp> stampNow(int fd, const FileStamp &like)
{
    Result<FileStamp> stamp = FileAccess::inspect(fd);
    if (!stamp)
        return stamp;
    stamp->linkedTo = like.linkedTo;
    const bool sameTimes = stamp->size == like.size && stamp->modifiedNs == like.modifiedNs;
    if ((like.checksum && sameTimes) || FileAccess::changedMomentsAgo(*stamp)) {
        const Result<quint32> checksum = FileAccess::checksumOf(fd, stamp->size);
        if (!checksum)
            return Result<FileStamp>::failure(checksum.reason());
        stamp->checksum = *checksum;
    }
    return stamp;
}

// The same file with the same content, as far as the stamps can tell.
bool same(const FileStamp &now, const FileStamp &known)
{
    const bool identityKnown = known.inode != 0;
    return now.size == known.size && now.modifiedNs == known.modifiedNs &&
           (!identityKnown || (now.device == known.device && now.inode == known.inode)) &&
           (!now.checksum || !known.checksum || now.checksum == known.checksum);
}

} // namespace

namespace CheckedReplace {

Done replace(const QString &path, const FileStamp &known, const Compose &compose,
             const Options &options)
{
    Done done;
    const auto failed = [&done](const QString &reason) {
        done.written = Status::failure(reason);
        return done;
    };
    const auto meanwhile = [&options](Step step) {
        if (options.meanwhile)
            options.meanwhile(step);
    };
    Place place;
    if (const Status located = locate(path, known, place); !located)
        return failed(located.reason());

    int attempts = 0;
    for (int waits = 0; waits < Waits && attempts < Attempts; ++waits) {
        Opened opened;
        if (const Status status = open(place, opened); !status)
            return failed(status.reason());
        if (opened.unreadable) {
            const Result<Content> content = compose(&*opened.unreadable);
            if (!content)
                return failed(content.reason());
            if (!content->leaveAsItIs)
                return failed(FileAccess::notAFile());
            done.written = success();
            return done;
        }
        if (lock(opened.file.fd) == Lock::Busy) {
            return failed(QStringLiteral("另一个妙语通或别的程序正在保存这个数据文件，"
                                         "等了很久还没有完成。请稍后再试。"));
        }
        // Locked the file the name led to when it was opened: another save may have swapped a
        // new one in while this one waited.
        if (!nameLeadsTo(place, place.name.constData(), opened.status))
            continue;
        meanwhile(Step::Locked);

        const Result<FileStamp> now = stampNow(opened.file.fd, known);
        if (!now)
            return failed(now.reason());
        const bool changed = !same(*now, known);
        std::optional<KnowledgeFile::Loaded> current;
        if (changed) {
            FileStamp plain = *now;
            plain.checksum.reset();
            plain.linkedTo.clear();
            current = KnowledgeFile::loadOpen(opened.file.fd, plain);
            if (current->knowledge)
                current->knowledge->source.linkedTo = known.linkedTo;
        }
        const Result<Content> content = compose(current ? &*current : nullptr);
        if (!content)
            return failed(content.reason());
        if (content->leaveAsItIs) {
            done.written = success();
            return done;
        }
        meanwhile(Step::Composed);

        Descriptor temporary;
        const Result<QByteArray> temporaryName = createTemporary(place, temporary);
        if (!temporaryName)
            return failed(temporaryName.reason());
        const char *const temporaryPath = temporaryName->constData();
        bool keepTemporary = false;
        const auto removeTemporary = [&] {
            if (!keepTemporary)
                ::unlinkat(place.folder.fd, temporaryPath, 0);
        };
        ::fchmod(temporary.fd, opened.status.st_mode & 07777);
        QByteArray bytes = content->bytes;
        if (const int simulated = options.fault ? options.fault(bytes) : 0; simulated != 0) {
            removeTemporary();
            return failed(reasonFor(simulated));
        }
        if (!FileAccess::writeAll(temporary.fd, bytes) || ::fsync(temporary.fd) != 0) {
            const int error = errno;
            removeTemporary();
            return failed(reasonFor(error));
        }
        meanwhile(Step::Written);

        // Another program that does not lock may have written meanwhile: then the content is
        // made again on what it wrote.
        const auto stillAsComposed = [&] {
            if (!nameLeadsTo(place, place.name.constData(), opened.status))
                return false;
            const Result<FileStamp> again = stampNow(opened.file.fd, *now);
            return again && same(*again, *now);
        };
        if (!stillAsComposed()) {
            removeTemporary();
            ++attempts;
            continue;
        }
        meanwhile(Step::Checked);

        // Swapped rather than renamed over, where the file system can: what comes out is then
        // known to be the file checked, and if it is not, the swap is undone and tried again.
        if (::renameat2(place.folder.fd, temporaryPath, place.folder.fd, place.name.constData(),
                        RENAME_EXCHANGE) == 0) {
            const bool asChecked = nameLeadsTo(place, temporaryPath, opened.status) && [&] {
                const Result<FileStamp> swapped = stampNow(opened.file.fd, *now);
                return swapped && same(*swapped, *now);
            }();
            if (!asChecked) {
                // Something else stood there by the time of the swap: it goes back, and what
                // comes out is removed only if it is this save's own file.
                ::renameat2(place.folder.fd, temporaryPath, place.folder.fd, place.name.constData(),
                            RENAME_EXCHANGE);
                struct stat own = {};
                if (::fstat(temporary.fd, &own) == 0 && nameLeadsTo(place, temporaryPath, own)) {
                    removeTemporary();
                    ++attempts;
                    continue;
                }
                return failed(setAside(place, temporaryPath));
            }
            removeTemporary(); // now the old file
        } else if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
            if (::renameat(place.folder.fd, temporaryPath, place.folder.fd,
                           place.name.constData()) != 0) {
                const int error = errno;
                removeTemporary();
                return failed(reasonFor(error));
            }
            keepTemporary = true;
        } else {
            const int error = errno;
            removeTemporary();
            return failed(reasonFor(error));
        }

        done.written = success();
        done.replaced = true;
        if (Result<FileStamp> written = FileAccess::inspect(temporary.fd)) {
            written->linkedTo = known.linkedTo;
            // Just written, so its times cannot tell a later write in the same tick: the
            // checksum of what went to disk, without reading it back.
            written->checksum = FileAccess::addToChecksum(FileAccess::addToChecksum(0, {}), bytes);
            done.stamp = *written;
        }
        return done;
    }
    return failed(QStringLiteral("保存时，数据文件一再被别的程序改动，妙语通试了 %1 次都没能写入。"
                                 "请稍后再试。")
                      .arg(Attempts));
}

Status create(const QString &path, const QByteArray &bytes, std::optional<mode_t> mode,
              const KnowledgeFile::WriteFault &fault)
{
    Place place;
    if (const Status opened = openFolder(path, place); !opened)
        return opened;
    Descriptor file;
    const Result<QByteArray> temporaryName = createTemporary(place, file, mode.value_or(0666));
    if (!temporaryName)
        return Status::failure(temporaryName.reason());
    const char *const temporaryPath = temporaryName->constData();
    auto removeTemporary = qScopeGuard([&] { ::unlinkat(place.folder.fd, temporaryPath, 0); });
    // The umask may only have narrowed it: a copy has the permissions asked for, which are never
    // wider than its file's.
    if (mode)
        ::fchmod(file.fd, *mode);
    QByteArray content = bytes;
    if (const int simulated = fault ? fault(content) : 0; simulated != 0)
        return Status::failure(reasonFor(simulated));
    if (!FileAccess::writeAll(file.fd, content) || ::fsync(file.fd) != 0)
        return Status::failure(reasonFor(errno));

    // Named only if nothing has the name by now: whatever has it, a link too, stays as it is.
    if (::renameat2(place.folder.fd, temporaryPath, place.folder.fd, place.name.constData(),
                    RENAME_NOREPLACE) == 0) {
        removeTemporary.dismiss();
        return success();
    }
    int error = errno;
    if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) {
        // A file system without that rename: a second name, given just as carefully; the
        // temporary one then goes.
        if (::linkat(place.folder.fd, temporaryPath, place.folder.fd, place.name.constData(), 0) ==
            0)
            return success();
        error = errno;
    }
    if (error != EEXIST)
        return Status::failure(reasonFor(error));
    struct stat there = {};
    const bool link =
        ::fstatat(place.folder.fd, place.name.constData(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(there.st_mode);
    return Status::failure(link ? QStringLiteral("已经有同名的链接，指向别的文件。"
                                                 "为了不改动那个文件，妙语通没有写入。")
                                : QStringLiteral("已经有同名的文件。"));
}

int removeLeftovers(const QString &path)
{
    Place place;
    FileStamp plain;
    plain.linkedTo = FileAccess::linkTargetOf(path);
    if (!locate(path, plain, place))
        return 0;
    // A save running now holds the lock on the file its temporary file is to replace.
    const Descriptor file(::openat(place.folder.fd, place.name.constData(),
                                   O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.fd >= 0) {
        struct flock request = {};
        request.l_type = F_WRLCK;
        request.l_whence = SEEK_SET;
        if (::fcntl(file.fd, F_OFD_SETLK, &request) != 0 && (errno == EAGAIN || errno == EACCES))
            return 0;
    }
    const int listing = ::dup(place.folder.fd);
    DIR *folder = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!folder)
        return 0;
    int removed = 0;
    const QByteArray stem = place.name + '.';
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name.size() != stem.size() + TemporarySuffix || !name.startsWith(stem))
            continue;
        bool ours = true;
        for (const char c : name.sliced(stem.size()))
            ours = ours &&
                   ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'));
        struct stat status = {};
        if (ours &&
            ::fstatat(place.folder.fd, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
            ::unlinkat(place.folder.fd, name.constData(), 0) == 0)
            ++removed;
    }
    ::closedir(folder);
    return removed;
}

} // namespace CheckedReplace
