#include "teaching/TeachingRules.h"

#include "common/TextRules.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"

namespace TeachingRules {

Commit check(const QString &keywordText, const QString &repliesText, const QStringList &filterWords)
{
    if (TextRules::isBlank(keywordText) || TextRules::isBlank(repliesText) ||
        keywordText.contains(u'\\') || keywordText.contains(u'|')) {
        return {Verdict::Malformed, {}, {}};
    }
    // A "|" or a marker in a reply would split the entry or the file at the next load.
    if (repliesText.contains(u'|'))
        return {Verdict::BadReply, {}, QStringLiteral("|")};
    if (KnowledgeFormat::holdsMarker(repliesText))
        return {Verdict::BadReply, {}, QStringLiteral("[AI_Dat]")};

    QString entry = TextRules::normalise(keywordText) + u'\\' + repliesText;
    if (!entry.endsWith(u'\\'))
        entry += u'\\';

    if (const QString bad = GbkCodec::firstUnencodable(entry); !bad.isEmpty())
        return {Verdict::Unencodable, {}, bad};

    for (const QString &word : filterWords) {
        if (entry.contains(word))
            return {Verdict::Rude, {}, {}};
    }
    return {Verdict::Accepted, KnowledgeEntry::withLineEnd(entry), {}};
}

QString repliesOf(const QString &item)
{
    QString body = item;
    while (body != KnowledgeEntry::withoutLineEnd(body))
        body = KnowledgeEntry::withoutLineEnd(body);
    const qsizetype slash = body.indexOf(u'\\');
    return slash < 0 ? QString() : body.mid(slash + 1);
}

} // namespace TeachingRules
