#pragma once
// Reading and writing Data.ait: the first-run file, the file written when teaching ends, and
// the reads at start-up. Writes replace the file only once the new content is on disk.

#include "common/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct KnowledgeBase;

namespace KnowledgeFile {

inline const QString FileName = QStringLiteral("Data.ait");

// The bytes of a first-run file for this user, or nothing when GBK cannot hold the name.
std::optional<QByteArray> firstRunBytes(const QString &userName);

// The file written when teaching ends: the header and the six lists exactly as they were
// read (byte for byte), the seventh marker, a line end, and one line per entry in order.
// Refused when an entry holds text that GBK cannot represent.
Result<QByteArray> teachingSaveBytes(const KnowledgeBase &loaded, const QStringList &entries);

Result<QByteArray> read(const QString &path);

// Writes bytes to path atomically: the old file stays as it was unless all of them got there.
Status write(const QString &path, const QByteArray &bytes);

// The words of every message about a problem with a file: what went wrong, the file, why, and
// what that means for the user's data. Lines are separated by CR, as message prompts are.
QString problemMessage(const QString &headline, const QString &path, const QString &reason,
                       const QString &consequence = {});

} // namespace KnowledgeFile
