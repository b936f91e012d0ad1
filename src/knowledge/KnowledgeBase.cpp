#include "knowledge/KnowledgeBase.h"

#include "knowledge/GbkCodec.h"

namespace {

constexpr qsizetype kListCount = 6;
constexpr qsizetype kTableSection = 7;

const char16_t *const kListNames[kListCount] = {
    u"过滤词", u"说脏话回复", u"随机提问", u"随机回答", u"无答案回复", u"欢迎语",
};

} // namespace

KnowledgeParse KnowledgeBase::parse(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {std::nullopt, QStringLiteral("文件是空的，里面没有任何内容。")};

    KnowledgeBase kb;
    kb.DataBytes = bytes;
    kb.Sections = GbkCodec::decode(bytes).split(Knowledge::Marker);

    const QStringList header = kb.Sections.at(0).split(u'|');
    if (header.size() < 3)
        return {std::nullopt, QStringLiteral("文件开头缺少用户名行（应为“|名字|”）。")};
    kb.UserName = header.at(1);

    const qsizetype markers = kb.Sections.size() - 1;
    if (markers < kTableSection) {
        return {std::nullopt,
                QStringLiteral("文件里只有 %1 个“[AI_Dat]”分段标记，至少需要 7 个。").arg(markers)};
    }

    QStringList *lists[kListCount] = {&kb.FilterWords,   &kb.DirtyReplies,    &kb.RandomQuestions,
                                      &kb.RandomAnswers, &kb.NoAnswerReplies, &kb.WelcomeMessages};
    for (qsizetype i = 0; i < kListCount; ++i) {
        *lists[i] = kb.Sections.at(i + 1).split(u'|');
        if (lists[i]->size() < 3) {
            return {std::nullopt, QStringLiteral("第 %1 段（%2）没有任何条目。")
                                      .arg(i + 1)
                                      .arg(QString::fromUtf16(kListNames[i]))};
        }
    }
    kb.KeywordTable = kb.Sections.at(kTableSection).split(u'|');
    return {std::move(kb), {}};
}

namespace Knowledge {

QStringList entryParts(const QString &entry)
{
    return entry.split(u'\\');
}

QStringView entryKey(const QString &entry)
{
    const qsizetype slash = entry.indexOf(u'\\');
    return slash < 0 ? QStringView(entry) : QStringView(entry).left(slash);
}

} // namespace Knowledge
