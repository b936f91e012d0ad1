#include "teaching/TeachingRules.h"

#include "common/TextRules.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"

namespace TeachingRules {

Commit check(const QString &keywordText, const QString &repliesText, const QStringList &filterWords)
{
    // A "|" or a marker in a reply would split the entry or the file at the next load, just
    // as a "|" or "\" in the key would.
    if (TextRules::isBlank(keywordText) || TextRules::isBlank(repliesText) ||
        keywordText.contains(u'\\') || keywordText.contains(u'|') || repliesText.contains(u'|') ||
        KnowledgeFormat::holdsMarker(repliesText)) {
        return {Verdict::Malformed, {}, {}};
    }

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
    const QString body = KnowledgeEntry::withoutLineEnd(item);
    const qsizetype slash = body.indexOf(u'\\');
    return slash < 0 ? QString() : body.mid(slash + 1);
}

} // namespace TeachingRules
