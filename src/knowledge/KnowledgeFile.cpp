#include "knowledge/KnowledgeFile.h"

#include "knowledge/DefaultKnowledge.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace KnowledgeFormat;

namespace KnowledgeFile {

std::optional<QByteArray> firstRunBytes(const QString &userName)
{
    const auto header = GbkCodec::encode(ItemSeparator + userName + ItemSeparator);
    if (!header)
        return std::nullopt;
    return *header + LineEndBytes + DefaultKnowledge::bytes() + LineEndBytes;
}

Result<QByteArray> teachingSaveBytes(const KnowledgeBase &loaded, const QStringList &entries)
{
    const QByteArray prefix = loaded.dataBytes.left(loaded.tableOffset);
    if (!prefix.endsWith(MarkerBytes))
        return Result<QByteArray>::failure(QStringLiteral("数据文件的分段标记不完整。"));

    // A million entries: the table's text is made in one buffer of its final size, and encoded
    // straight behind the header in another one, so that nothing is copied twice.
    const auto row = [](const QString &entry) {
        const QStringView text(entry);
        return text.endsWith(LineEnd) ? text.chopped(2) : text;
    };
    qsizetype length = 0;
    for (const QString &entry : entries)
        length += 1 + row(entry).size() + LineEnd.size();
    QString table;
    table.reserve(length);
    for (const QString &entry : entries) {
        table += ItemSeparator;
        table += row(entry);
        table += LineEnd;
    }

    QByteArray bytes;
    bytes.reserve(prefix.size() + qsizetype(sizeof LineEndBytes) + 2 * length);
    bytes.append(prefix);
    bytes.append(LineEndBytes);
    if (!GbkCodec::appendEncoded(table, bytes)) {
        return Result<QByteArray>::failure(QStringLiteral("关键字表里有无法保存的字符“%1”。")
                                               .arg(GbkCodec::firstUnencodable(table)));
    }
    return bytes;
}

Result<QByteArray> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<QByteArray>::failure(file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Result<QByteArray>::failure(file.errorString());
    return bytes;
}

Status write(const QString &path, const QByteArray &bytes)
{
    // A file the user marked read-only stays untouched, even for an administrator whose
    // rename over it would succeed.
    const QFileInfo existing(path);
    if (existing.exists() &&
        (!(existing.permissions() & QFileDevice::WriteOwner) || !existing.isWritable()))
        return Status::failure(QStringLiteral("文件是只读的。"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Status::failure(reason);
    }
    if (!file.commit())
        return Status::failure(file.errorString());
    return success();
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
