// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/TeachingRules.h"

#include "common/GbkCodec.h"
#include "common/TextRules.h"
#include "knowledge/KnowledgeBase.h"

#include <algorithm>

namespace {

// How much of text comes before its first line end (CR or LF).
qsizetype lineLength(QStringView text)
{
    const auto end =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    return end - text.begin();
}

} // namespace

namespace TeachingRules {

Commit check(const QString &keywordText, const QString &repliesText, const QStringList &filterWords)
{
    // A line end inside the entry would end its row early at the next load, so the boxes are
    // judged as they will be stored: a box of only line ends is as blank as an empty one (an
    // empty key would be contained in every message), and "[AI_Dat" CR "]" is a marker.
    const auto stored = [](QString text) {
        text.removeIf([](QChar c) { return c == u'\r' || c == u'\n'; });
        return text;
    };
    const QString key = stored(keywordText);
    const QString replies = stored(repliesText);
    if (TextRules::isBlank(key) || TextRules::isBlank(replies) || key.contains(u'\\') ||
        key.contains(u'|')) {
        return {Verdict::Malformed, {}, {}};
    }
    QString entry = TextRules::normalise(key) + u'\\' + replies;

    // A "|" or a marker in a reply would split the entry or the file at the next load.
    if (entry.contains(u'|'))
        return {Verdict::BadReply, {}, QStringLiteral("|")};
    if (KnowledgeFormat::holdsMarker(entry))
        return {Verdict::BadReply, {}, QStringLiteral("[AI_Dat]")};

    if (!entry.endsWith(u'\\'))
        entry += u'\\';

    if (const QString bad = GbkCodec::firstUnencodable(entry); !bad.isEmpty())
        return {Verdict::Unencodable, {}, TextRules::shown(bad)};

    for (const QString &word : filterWords) {
        if (!word.isEmpty() && entry.contains(word))
            return {Verdict::Rude, {}, {}};
    }
    return {Verdict::Accepted, KnowledgeEntry::withLineEnd(entry), {}};
}

QString repliesOf(const QString &item)
{
    // The box holds one line: a damaged row's text after its first line end is no reply.
    const QString body = item.left(lineLength(item));
    const qsizetype slash = body.indexOf(u'\\');
    return slash < 0 ? QString() : body.mid(slash + 1);
}

} // namespace TeachingRules
