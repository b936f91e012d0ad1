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

// A list section is a title line between line ends, then |item|item|...| and a line end: the
// pieces before the first bar and after the last are not items.
QStringList listItems(const QString &section)
{
    QStringList pieces = section.split(ItemSeparator);
    if (pieces.size() < 3)
        return {};
    pieces.removeFirst();
    pieces.removeLast();
    return pieces;
}

} // namespace

Result<KnowledgeBase> KnowledgeBase::parse(const QByteArray &bytes)
{
    using Outcome = Result<KnowledgeBase>;
    if (bytes.isEmpty())
        return Outcome::failure(QStringLiteral("文件是空的，里面没有任何内容。"));

    KnowledgeBase kb;
    kb.dataBytes = bytes;
    const QString text = GbkCodec::decode(bytes);
    const QStringList sections = text.split(Marker);

    const QStringList header = sections.at(0).split(ItemSeparator);
    if (header.size() < 3)
        return Outcome::failure(QStringLiteral("文件开头缺少用户名行（应为“|名字|”）。"));
    kb.userName = header.at(1);

    const qsizetype markers = sections.size() - 1;
    if (markers < TableSection) {
        return Outcome::failure(
            QStringLiteral("文件里只有 %1 个“[AI_Dat]”分段标记，至少需要 7 个。").arg(markers));
    }

    QStringList *lists[ListCount] = {&kb.filterWords,   &kb.dirtyReplies,    &kb.randomQuestions,
                                     &kb.randomAnswers, &kb.noAnswerReplies, &kb.welcomeMessages};
    for (int i = 0; i < ListCount; ++i) {
        *lists[i] = listItems(sections.at(i + 1));
        if (lists[i]->isEmpty()) {
            return Outcome::failure(QStringLiteral("第 %1 段（%2）没有任何条目。")
                                        .arg(i + 1)
                                        .arg(QString::fromUtf16(ListNames[i])));
        }
    }

    // The table section is the text before the first bar; the entries follow, each keeping its
    // line end, the last one whatever trails it.
    kb.keywordTable = sections.at(TableSection).split(ItemSeparator);
    kb.keywordTable.removeFirst();

    // The save writes everything up to the table back as these very bytes. Finding the table by
    // re-encoding what was decoded puts it exactly where this reading found it, whatever damaged
    // bytes come before.
    qsizetype prefixLength = 0;
    for (int i = 0; i < TableSection; ++i)
        prefixLength += sections.at(i).size() + Marker.size();
    kb.tableOffset = GbkCodec::encode(text.left(prefixLength)).value_or(QByteArray()).size();
    return kb;
}

namespace KnowledgeEntry {

QStringView key(const QString &entry)
{
    const qsizetype slash = entry.indexOf(ReplySeparator);
    return slash < 0 ? QStringView(entry) : QStringView(entry).left(slash);
}

QStringList replies(const QString &entry)
{
    QStringList parts = entry.split(ReplySeparator);
    if (parts.size() < 3)
        return {};
    parts.removeFirst();
    parts.removeLast();
    return parts;
}

QString withoutLineEnd(const QString &entry)
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
