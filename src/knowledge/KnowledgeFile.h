// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Reading and writing Data.ait: the first-run file, the file written when teaching ends, and
// the one load that start-up and the end of teaching share. Writes replace the file only once
// the new content is on disk.

#include "common/Result.h"
#include "knowledge/KnowledgeBase.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <atomic>
#include <functional>
#include <optional>

namespace KnowledgeFile {

inline const QString FileName = QStringLiteral("Data.ait");

// The bytes of a first-run file for this user, or nothing when GBK cannot hold the name.
std::optional<QByteArray> firstRunBytes(const QString &userName);

// The file written when teaching ends: the header and the six lists exactly as they were
// read (byte for byte), the seventh marker, a line end, and one line per entry in order.
// Refused when an entry holds text that GBK cannot represent.
// entryAt(i) gives the i-th of count entries, each with or without its line end.
Result<QByteArray> teachingSaveBytes(const KnowledgeBase &loaded, qsizetype count,
                                     const std::function<QStringView(qsizetype)> &entryAt);
Result<QByteArray> teachingSaveBytes(const KnowledgeBase &loaded, const KeywordTable &entries);

// The largest file read: far above any real knowledge file, and small enough that decoding it
// still fits in memory.
inline constexpr qint64 MaxFileSize = qint64(1) << 30;

// What loading the knowledge file found.
struct Loaded
{
    // The knowledge read as GBK, or why there is none, in words.
    Result<KnowledgeBase> knowledge;
    // The bytes are valid UTF-8 holding at least one multi-byte character: a file an editor
    // saved in UTF-8, whose text read as GBK is garbled. Start-up offers convertUtf8ToGbk()
    // before it uses the knowledge.
    bool looksUtf8 = false;
};

// Reads the knowledge file, decoding and parsing it a piece at a time as it comes in: a big
// file's bytes and its text never stand in memory together, and loading it, or refusing it,
// takes a small multiple of the time reading it does. Only a regular file is read: anything else (a
// device, a pipe, a folder) is refused without reading from it, so nothing can block or run without
// end; so is a file above MaxFileSize. Setting stop meanwhile ends the load early, with a failure.
Loaded load(const QString &path, const std::atomic_bool *stop = nullptr);
// The same for a file already open as fd, whose stamp (without checksum) is given: read from its
// start.
Loaded loadOpen(int fd, FileStamp stamp, const std::atomic_bool *stop = nullptr);

// The stamp of the file at path as it is now. Its bytes are read for the checksum only when the
// times cannot tell: for a file changed moments ago, or one whose size and times are those of
// unless when unless has a checksum.
Result<FileStamp> stampOf(const QString &path, std::optional<FileStamp> unless = std::nullopt);
// True when the file at path is no longer what stamp recorded: changed, replaced, gone or
// unreadable.
bool changedSince(const QString &path, const FileStamp &stamp);

// Stands in for the disk in tests: called with the new content before it is written, it
// returns the error number the write should fail with, or 0 to let it go on (with the content
// as it left it, so a test can also make a disk that garbles).
using WriteFault = std::function<int(QByteArray &content)>;

// A file the user chose in a dialog, as it stood then.
struct Chosen
{
    QString path;
    QString linkedTo; // the real file, when the name was a link to one; empty otherwise
};
Chosen choose(const QString &path);

// Writes bytes to the file chosen, made anew or replaced atomically: the old file stays as it
// was (a read-only one too) unless all of them got there, and keeps its permissions. A name that
// was a link when chosen goes on leading to the same file, and only to it; one that was not is
// never followed if it has become one, whether a file stood there or nothing did. A failure names
// its cause in words (no space, read-only, not a file, no permission, a link).
Status write(const Chosen &file, const QByteArray &bytes, const WriteFault &fault = {});
// The same for the file at path as it is now.
inline Status write(const QString &path, const QByteArray &bytes, const WriteFault &fault = {})
{
    return write(choose(path), bytes, fault);
}

// Keeps bytes that could not be written to path in a new file, never over an existing one:
// "Data.ait.未保存-<date and time>.ait" beside it, or where that folder takes no new file, in the
// first of fallbackFolders that does (made if missing). Its permissions are never wider than the
// file's. Returns its path, or nothing when even that failed.
std::optional<QString> keep(const QString &path, const QByteArray &bytes,
                            const QStringList &fallbackFolders = {});
// The first free name for the UTF-8 conversion's backup of path: "Data.ait.utf8.bak", then
// "Data.ait.utf8.1.bak", and so on.
QString freeBackupPath(const QString &path);
// The files keep() left for path, beside it and in fallbackFolders, oldest first.
QStringList keptFiles(const QString &path, const QStringList &fallbackFolders = {});

// The file with every LF that has no CR before it turned into CR LF: the line ends a save
// writes. CR and LF are never part of a two-byte GBK character, so this is safe on raw bytes.
QByteArray withCrLf(const QByteArray &bytes);

// Turns a UTF-8 file into GBK in place, keeping the original bytes beside it as backupPath (made
// anew, never over or through anything). Refused, with the file untouched, when GBK cannot hold
// one of its characters (named in the reason), the file cannot be read (as load() would refuse
// it), or it is no longer the file read by the time it would be replaced.
Status convertUtf8ToGbk(const QString &path, const QString &backupPath,
                        const WriteFault &fault = {});

// The words of every message about a problem with a file: what went wrong, the file, why, and
// what that means for the user's data. Lines are separated by CR, as message prompts are.
QString problemMessage(const QString &headline, const QString &path, const QString &reason,
                       const QString &consequence = {});

} // namespace KnowledgeFile
