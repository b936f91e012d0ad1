// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The knowledge file in memory, as the rest of the program reads it: the user's name, six short
// lists and the keyword table. How they sit in the file (sections, markers, the text around the
// items) stays inside this folder.

#include "common/Result.h"
#include "knowledge/KeywordTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>

// What a file was when it was read, to tell later whether another program has changed it.
struct FileStamp
{
    qint64 size = -1;
    qint64 modifiedNs = 0;
    // CRC-32 of the bytes, taken only of a file changed moments before it was read: the file
    // system's clock ticks in milliseconds (FAT's in seconds), so a write in the same tick
    // would keep the time. Any later write moves it. (Not the inode's change time: a chmod or
    // a hard link moves that without touching a byte.)
    std::optional<quint32> checksum;
    // Which file it was, not only what it held: another file renamed over the name is another
    // file, whatever its bytes. 0 when not known.
    quint64 device = 0;
    quint64 inode = 0;
    // The real file the name led to when the name was a symbolic link; empty when it was not.
    QString linkedTo;
    bool operator==(const FileStamp &) const = default;
};

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
    KeywordTable keywordTable;

    // The file's bytes up to the keyword table's section, the seventh marker included: the
    // teaching save writes the header and lists back as they were read.
    QByteArray headBytes;
    // The file it was loaded from, as it was then (nothing for knowledge not read from a file).
    FileStamp source;

    qsizetype entryCount() const { return keywordTable.size(); }

    // The knowledge in a whole file's bytes: what a Reader given them in one piece finds.
    static Result<KnowledgeBase> parse(const QByteArray &bytes);

    class Reader;
};

// Reads Data.ait as its bytes come in, a piece at a time however they are cut: each piece is
// decoded and searched for sections and entries while it is fresh, so a big file's bytes and its
// text never stand in memory together, and reading it costs little more than the reading.
class KnowledgeBase::Reader
{
public:
    // expectedBytes: how many bytes are coming, so that the text never moves as it grows.
    explicit Reader(qsizetype expectedBytes = 0);
    ~Reader();
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    void add(QByteArrayView piece);
    // The knowledge in all the bytes added. A file that the conversation could not use (empty,
    // no header, too few sections, a list without items) is refused with the reason in words.
    // Called once, after the last piece.
    Result<KnowledgeBase> finish();
    // Once finished: the bytes are valid UTF-8 holding at least one multi-byte character, a file
    // an editor saved in UTF-8, which read as GBK would be garbled.
    bool looksUtf8() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// One keyword entry of the table.
namespace KnowledgeEntry {

// The text before the first "\" (the whole entry when it has none).
QStringView key(QStringView entry);
// The replies: the pieces between the key and the entry's line end.
QStringList replies(QStringView entry);
// The entry without the line end it carries as a table row (CR LF, or a bare LF); an entry
// without one is unchanged.
QStringView withoutLineEnd(QStringView entry);
// An entry text as stored in the table: with one line end.
QString withLineEnd(const QString &entryText);

} // namespace KnowledgeEntry

namespace KnowledgeFormat {

// True when text holds the section marker, which would start a new section at the next load.
bool holdsMarker(QStringView text);

} // namespace KnowledgeFormat
