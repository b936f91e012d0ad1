// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/ReplyIndex.h"

#include "knowledge/KnowledgeBase.h"

#include <vector>

std::optional<ReplyIndex> ReplyIndex::build(const KnowledgeBase &knowledge,
                                            const std::atomic_bool *cancel)
{
    ReplyIndex index;
    index.m_table = knowledge.keywordTable;
    index.m_filterWords = knowledge.filterWords;

    std::vector<QStringView> words(index.m_filterWords.cbegin(), index.m_filterWords.cend());
    std::optional<KeyAutomaton> rudeWords = KeyAutomaton::build(words, cancel);
    if (!rudeWords)
        return std::nullopt;
    index.m_rudeWords = std::move(*rudeWords);

    std::vector<QStringView> keys;
    keys.reserve(size_t(index.m_table.size()));
    for (const QStringView entry : index.m_table)
        keys.push_back(KnowledgeEntry::key(entry));
    std::optional<KeyAutomaton> automaton = KeyAutomaton::build(keys, cancel);
    if (!automaton)
        return std::nullopt;
    index.m_keys = std::move(*automaton);
    return index;
}

bool ReplyIndex::isFor(const KnowledgeBase &knowledge) const
{
    return knowledge.keywordTable.sharesWith(m_table) &&
           knowledge.filterWords.constData() == m_filterWords.constData() &&
           knowledge.filterWords.size() == m_filterWords.size();
}

std::optional<qsizetype> ReplyIndex::firstEntry(QStringView message) const
{
    return m_keys.firstContained(message);
}

std::optional<qsizetype> ReplyIndex::firstFilterWord(QStringView message) const
{
    return m_rudeWords.firstContained(message);
}

size_t ReplyIndex::memoryBytes() const
{
    return m_rudeWords.memoryBytes() + m_keys.memoryBytes();
}
