#include "teaching/TeachingRules.h"

#include "conversation/RobotText.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"

namespace TeachingRules {

Commit check(const QString &keywordText, const QString &repliesText, const QStringList &filterWords)
{
    // A "|" or a marker in a reply would split the entry or the file at the next load, just
    // as a "|" or "\" in the key would.
    if (RobotText::isBlank(keywordText) || RobotText::isBlank(repliesText) ||
        keywordText.contains(u'\\') || keywordText.contains(u'|') || repliesText.contains(u'|') ||
        repliesText.contains(Knowledge::Marker)) {
        return {Verdict::Malformed, {}, {}};
    }

    QString entry = RobotText::normaliseMessage(keywordText) + u'\\' + repliesText;
    if (!entry.endsWith(u'\\'))
        entry += u'\\';

    if (const QString bad = GbkCodec::firstUnencodable(entry); !bad.isEmpty())
        return {Verdict::Unencodable, {}, bad};

    for (qsizetype i = 1; i < filterWords.size() - 1; ++i) {
        if (entry.contains(filterWords.at(i)))
            return {Verdict::Rude, {}, {}};
    }
    return {Verdict::Accepted, entry, {}};
}

QString repliesOf(const QString &item)
{
    const QString body = item.endsWith(Knowledge::LineEnd) ? item.chopped(2) : item;
    const qsizetype slash = body.indexOf(u'\\');
    return slash < 0 ? QString() : body.mid(slash + 1);
}

} // namespace TeachingRules
