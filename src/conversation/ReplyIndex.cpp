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
    for (const QString &entry : std::as_const(index.m_table))
        keys.push_back(KnowledgeEntry::key(entry));
    std::optional<KeyAutomaton> table = KeyAutomaton::build(keys, cancel);
    if (!table)
        return std::nullopt;
    index.m_keys = std::move(*table);
    return index;
}

bool ReplyIndex::isFor(const KnowledgeBase &knowledge) const
{
    return knowledge.keywordTable.constData() == m_table.constData() &&
           knowledge.keywordTable.size() == m_table.size() &&
           knowledge.filterWords.constData() == m_filterWords.constData() &&
           knowledge.filterWords.size() == m_filterWords.size();
}

std::optional<qsizetype> ReplyIndex::firstEntry(QStringView message) const
{
    return m_keys.firstContained(message);
}

bool ReplyIndex::holdsFilterWord(QStringView message) const
{
    return m_rudeWords.firstContained(message).has_value();
}

size_t ReplyIndex::memoryBytes() const
{
    return m_keys.memoryBytes() + m_rudeWords.memoryBytes();
}
