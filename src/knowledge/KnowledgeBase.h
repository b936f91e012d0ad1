// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The knowledge file in memory, as the rest of the program reads it: the user's name, six short
// lists and the keyword table. How they sit in the file (sections, markers, the text around the
// items) stays inside this folder.

#include "common/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

struct KnowledgeBase
{
    QString userName;
    QStringList filterWords;     // words that make a message rude
    QStringList dirtyReplies;    // rebukes for a rude message
    QStringList randomQuestions; // questions for an idle user
    QStringList randomAnswers;   // remarks for an idle user
    QStringList noAnswerReplies; // when no key matches
    QStringList welcomeMessages; // greetings
    // Keyword entries in table order, each "key\reply\...\" followed by the line end it had.
    QStringList keywordTable;

    // The file as read: the teaching save writes its header and lists back from these bytes.
    QByteArray dataBytes;
    // Where the keyword table's section starts in dataBytes, just after the seventh marker.
    qsizetype tableOffset = 0;

    qsizetype entryCount() const { return keywordTable.size(); }

    // Reads a whole file. A file that the conversation could not use (empty, no header,
    // too few sections, a list without items) is refused with the reason in words.
    static Result<KnowledgeBase> parse(const QByteArray &bytes);
};

// One keyword entry of the table.
namespace KnowledgeEntry {

// The text before the first "\" (the whole entry when it has none).
QStringView key(const QString &entry);
// The replies: the pieces between the key and the entry's line end.
QStringList replies(const QString &entry);
// The entry without the line end it carries as a table row (CR LF, or a bare LF); an entry
// without one is unchanged.
QString withoutLineEnd(const QString &entry);
// An entry text as stored in the table: with one line end.
QString withLineEnd(const QString &entryText);

} // namespace KnowledgeEntry

namespace KnowledgeFormat {

// True when text holds the section marker, which would start a new section at the next load.
bool holdsMarker(QStringView text);

} // namespace KnowledgeFormat
