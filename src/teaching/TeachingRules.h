// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What a teaching commit may store, and how an entry shows in the two teaching boxes.

#include <QString>
#include <QStringList>

namespace TeachingRules {

enum class Verdict
{
    Accepted,
    Malformed,   // empty key or replies, or "|" or "\" in the key
    BadReply,    // a reply holding "|" or the section marker, which would break the file
    Unencodable, // text that GBK cannot represent
    Rude,        // holds a filter word
};

struct Commit
{
    Verdict verdict = Verdict::Accepted;
    QString entry;     // key + "\" + replies + "\" + line end: the list item, when accepted
    QString offending; // what is wrong: the character GBK cannot hold, or what a reply holds
};

// Checks a keyword and replies as typed in the teaching boxes and builds the entry.
Commit check(const QString &keywordText, const QString &repliesText,
             const QStringList &filterWords);

// The replies box text for a list item: everything after the key and its "\", without the
// line ends that end the item (a first-run file's last entry carries two).
QString repliesOf(const QString &item);

} // namespace TeachingRules
