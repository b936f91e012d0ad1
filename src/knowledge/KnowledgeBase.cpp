// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/KnowledgeBase.h"

#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeFormat.h"

using namespace KnowledgeFormat;

namespace {

const char16_t *const ListNames[ListCount] = {
    u"过滤词", u"说脏话回复", u"随机提问", u"随机回答", u"无答案回复", u"欢迎语",
};

// The pieces of text between its first separator and its last. A list section is a title line
// between line ends, then |item|item|...| and a line end; an entry is key\reply\...\ and a
// line end.
QStringList innerPieces(QStringView text, QChar separator)
{
    const QList<QStringView> pieces = text.split(separator);
    QStringList items;
    for (qsizetype i = 1; i + 1 < pieces.size(); ++i)
        items.append(pieces.at(i).toString());
    return items;
}

} // namespace

Result<KnowledgeBase> KnowledgeBase::parse(const QByteArray &bytes)
{
    return parse(GbkCodec::decode(bytes), bytes);
}

Result<KnowledgeBase> KnowledgeBase::parse(QString text, const QByteArray &leadingBytes)
{
    using Outcome = Result<KnowledgeBase>;
    if (text.isEmpty())
        return Outcome::failure(QStringLiteral("文件是空的，里面没有任何内容。"));

    KnowledgeBase kb;
    const QStringView all(text);
    // Where each section starts: the text's start, then just after each marker.
    QList<qsizetype> sectionStarts{0};
    for (qsizetype at = all.indexOf(Marker); at >= 0 && sectionStarts.size() <= TableSection + 1;
         at = all.indexOf(Marker, at + Marker.size()))
        sectionStarts.append(at + Marker.size());
    const auto section = [&](int i) {
        const qsizetype end =
            i + 1 < sectionStarts.size() ? sectionStarts.at(i + 1) - Marker.size() : all.size();
        return all.sliced(sectionStarts.at(i), end - sectionStarts.at(i));
    };

    const QList<QStringView> header = section(0).split(ItemSeparator);
    if (header.size() < 3)
        return Outcome::failure(QStringLiteral("文件开头缺少用户名行（应为“|名字|”）。"));
    kb.userName = header.at(1).toString();

    const qsizetype markers = sectionStarts.size() - 1;
    if (markers < TableSection) {
        return Outcome::failure(
            QStringLiteral("文件里只有 %1 个“[AI_Dat]”分段标记，至少需要 7 个。").arg(markers));
    }

    QStringList *lists[ListCount] = {&kb.filterWords,   &kb.dirtyReplies,    &kb.randomQuestions,
                                     &kb.randomAnswers, &kb.noAnswerReplies, &kb.welcomeMessages};
    for (int i = 0; i < ListCount; ++i) {
        *lists[i] = innerPieces(section(i + 1), ItemSeparator);
        if (lists[i]->isEmpty()) {
            return Outcome::failure(QStringLiteral("第 %1 段（%2）没有任何条目。")
                                        .arg(i + 1)
                                        .arg(QString::fromUtf16(ListNames[i])));
        }
    }

    // The save writes everything up to the table back as these very bytes. Measuring what was
    // decoded before the table puts it exactly where this reading found it, whatever damaged
    // bytes come before.
    const qsizetype tableStart = sectionStarts.at(TableSection);
    kb.headBytes = leadingBytes.left(GbkCodec::encodedSize(all.left(tableStart)));

    // The table section is the text before the first bar; the entries follow, each keeping its
    // line end, the last one whatever trails it. Anything after an eighth marker is not read.
    const QStringView table = section(TableSection);
    const qsizetype tableEnd = tableStart + table.size();
    QList<quint32> starts;
    for (qsizetype at = all.indexOf(ItemSeparator, tableStart); at >= 0 && at < tableEnd;
         at = all.indexOf(ItemSeparator, at + 1))
        starts.append(quint32(at + 1));
    kb.keywordTable = KeywordTable(std::move(text), std::move(starts), tableEnd);
    return kb;
}

namespace KnowledgeEntry {

QStringView key(QStringView entry)
{
    const qsizetype slash = entry.indexOf(ReplySeparator);
    return slash < 0 ? entry : entry.left(slash);
}

QStringList replies(QStringView entry)
{
    return innerPieces(entry, ReplySeparator);
}

QStringView withoutLineEnd(QStringView entry)
{
    // A file edited elsewhere may end its lines with a bare LF.
    if (entry.endsWith(LineEnd))
        return entry.chopped(2);
    return entry.endsWith(u'\n') ? entry.chopped(1) : entry;
}

QString withLineEnd(const QString &entryText)
{
    return entryText + LineEnd;
}

} // namespace KnowledgeEntry

namespace KnowledgeFormat {

bool holdsMarker(QStringView text)
{
    return text.contains(Marker);
}

} // namespace KnowledgeFormat
