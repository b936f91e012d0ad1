#pragma once
// The knowledge file in memory: the user's name, six short lists and the keyword table, each
// held exactly as split from the file text so that element numbering matches the file.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct KnowledgeParse;

struct KnowledgeBase
{
    QByteArray DataBytes; // the whole file as last read
    QStringList Sections; // the text split on the marker
    QString UserName;
    // Lists: items are elements 1 to size - 2.
    QStringList FilterWords;
    QStringList DirtyReplies;
    QStringList RandomQuestions;
    QStringList RandomAnswers;
    QStringList NoAnswerReplies;
    QStringList WelcomeMessages;
    // Entries are elements 1 to size - 1, each keeping its own line end.
    QStringList KeywordTable;

    // The number shown to the user as the size of the knowledge.
    qsizetype entryCount() const { return KeywordTable.size() - 1; }

    // Reads a whole file. A file that the conversation could not use (empty, no header,
    // too few sections, a list without items) is refused with the reason in words.
    static KnowledgeParse parse(const QByteArray &bytes);
};

struct KnowledgeParse
{
    std::optional<KnowledgeBase> base;
    QString error;
};

namespace Knowledge {

inline const QString Marker = QStringLiteral("[AI_Dat]");
inline const QString LineEnd = QStringLiteral("\r\n");

// The parts of an entry: key, replies, and the entry's line end as the last part.
QStringList entryParts(const QString &entry);
// The key: the text before the first "\" (the whole entry when it has none).
QStringView entryKey(const QString &entry);

} // namespace Knowledge
