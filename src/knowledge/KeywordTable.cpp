// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/KeywordTable.h"

#include "knowledge/KnowledgeFormat.h"

KeywordTable::KeywordTable(QString text, QList<quint32> starts, qsizetype end)
    : m_text(std::move(text)), m_starts(std::move(starts)), m_end(end)
{
}

KeywordTable KeywordTable::fromEntries(const QStringList &entries)
{
    QString text;
    QList<quint32> starts;
    starts.reserve(entries.size());
    for (const QString &entry : entries) {
        text += KnowledgeFormat::ItemSeparator;
        starts.append(quint32(text.size()));
        text += entry;
    }
    const qsizetype end = text.size();
    return KeywordTable(std::move(text), std::move(starts), end);
}

QStringList KeywordTable::toList() const
{
    QStringList entries;
    entries.reserve(size());
    for (const QStringView entry : *this)
        entries.append(entry.toString());
    return entries;
}
