#pragma once
// Reading and writing Data.ait: the first-run file, the file written when teaching ends, and
// the reads at start-up. Writes replace the file only once the new content is on disk.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace KnowledgeFile {

inline const QString FileName = QStringLiteral("Data.ait");

struct ReadResult
{
    std::optional<QByteArray> bytes;
    QString error;
};

// The bytes of a first-run file for this user, or nothing when GBK cannot hold the name.
std::optional<QByteArray> firstRunBytes(const QString &userName);

// The file written when teaching ends: the header and the six lists exactly as they were
// read (byte for byte), the seventh marker, a line end, and one line per entry in order.
// Nothing when an entry holds text that GBK cannot represent.
std::optional<QByteArray> teachingSaveBytes(const QByteArray &dataBytes,
                                            const QStringList &entries);

ReadResult read(const QString &path);

// Writes bytes to path atomically; returns an empty string on success, else the reason.
QString write(const QString &path, const QByteArray &bytes);

} // namespace KnowledgeFile
