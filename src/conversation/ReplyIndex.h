// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What the reply engine needs to answer a message in time that does not grow with the table:
// one automaton over the filter words and one over the keys of the keyword table, built for one
// loaded knowledge base.

#include "conversation/KeyAutomaton.h"
#include "knowledge/KeywordTable.h"

#include <QStringList>
#include <QStringView>
#include <atomic>
#include <optional>

struct KnowledgeBase;

class ReplyIndex
{
public:
    // Nothing when cancel was set while building (or the table is beyond the automaton).
    static std::optional<ReplyIndex> build(const KnowledgeBase &knowledge,
                                           const std::atomic_bool *cancel = nullptr);

    // True when this index was built from these very lists (shared, not merely equal), so an
    // index left over from an earlier load is never asked about a new one.
    bool isFor(const KnowledgeBase &knowledge) const;

    // The first entry in table order whose key the message contains.
    std::optional<qsizetype> firstEntry(QStringView message) const;
    // The first filter word in list order that the message contains.
    std::optional<qsizetype> firstFilterWord(QStringView message) const;

    size_t memoryBytes() const;

private:
    // Shared copies of the lists the automata were built from; they cost no memory of their own.
    KeywordTable m_table;
    QStringList m_filterWords;
    // One automaton over every key. Smaller automata over the first entries, asked first,
    // were tried: bench_scale measures them beside this one, which is no slower at any size
    // and smaller.
    KeyAutomaton m_keys;
    KeyAutomaton m_rudeWords;
};
