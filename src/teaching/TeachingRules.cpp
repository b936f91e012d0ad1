#include "teaching/TeachingRules.h"

#include "conversation/RobotText.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"

namespace TeachingRules {

namespace {

// Only spaces count as blank here, as they do for a message: a tab is text.
bool isBlank(const QString &text)
{
    for (const QChar c : text) {
        if (c != u' ')
            return false;
    }
    return true;
}

} // namespace

Commit check(const QString &keywordText, const QString &repliesText, const QStringList &filterWords)
{
    // A "|" or a marker in a reply would split the entry or the file at the next load, just
    // as a "|" or "\" in the key would.
    if (isBlank(keywordText) || isBlank(repliesText) || keywordText.contains(u'\\') ||
        keywordText.contains(u'|') || repliesText.contains(u'|') ||
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
