#include "knowledge/KnowledgeFile.h"

#include "knowledge/DefaultKnowledge.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QByteArray kMarkerBytes = QByteArrayLiteral("[AI_Dat]");
const QByteArray kCrLf = QByteArrayLiteral("\r\n");

bool isGbkLead(uchar c)
{
    return c >= 0x81 && c <= 0xFE;
}

bool isGbkTrail(uchar c)
{
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// Where the n-th marker ends in the raw bytes, stepping over double-byte characters the way
// the decoder does, so a trail byte that happens to be '[' never starts a marker.
qsizetype endOfMarker(const QByteArray &bytes, int n)
{
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const auto c = uchar(bytes.at(i));
        if (isGbkLead(c) && i + 1 < size && isGbkTrail(uchar(bytes.at(i + 1)))) {
            i += 2;
            continue;
        }
        if (c == '[' && bytes.mid(i, kMarkerBytes.size()) == kMarkerBytes) {
            i += kMarkerBytes.size();
            if (--n == 0)
                return i;
            continue;
        }
        ++i;
    }
    return -1;
}

} // namespace

namespace KnowledgeFile {

std::optional<QByteArray> firstRunBytes(const QString &userName)
{
    const auto header = GbkCodec::encode(u'|' + userName + u'|');
    if (!header)
        return std::nullopt;
    return *header + kCrLf + DefaultKnowledge::bytes() + kCrLf;
}

std::optional<QByteArray> teachingSaveBytes(const QByteArray &dataBytes, const QStringList &entries)
{
    const qsizetype prefixEnd = endOfMarker(dataBytes, 7);
    if (prefixEnd < 0)
        return std::nullopt;

    QString table;
    for (const QString &entry : entries) {
        table += u'|';
        table += entry.endsWith(Knowledge::LineEnd) ? entry.chopped(2) : entry;
        table += Knowledge::LineEnd;
    }
    const auto tableBytes = GbkCodec::encode(table);
    if (!tableBytes)
        return std::nullopt;
    return dataBytes.left(prefixEnd) + kCrLf + *tableBytes;
}

ReadResult read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, file.errorString()};
    return {std::move(bytes), {}};
}

QString write(const QString &path, const QByteArray &bytes)
{
    // A file the user marked read-only stays untouched, even for an administrator whose
    // rename over it would succeed.
    const QFileInfo existing(path);
    if (existing.exists() &&
        (!(existing.permissions() & QFileDevice::WriteOwner) || !existing.isWritable()))
        return QStringLiteral("文件是只读的。");

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace KnowledgeFile
