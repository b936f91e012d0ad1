// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Finds, in one pass over a text, the smallest index of any key of a list that the text
// contains: an Aho–Corasick automaton whose states are numbered breadth-first, so that the
// children of a state are consecutive and need no edge list of their own.

#include <QStringView>
#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <optional>
#include <span>
#include <vector>

class KeyAutomaton
{
public:
    // An automaton without keys: it finds nothing.
    KeyAutomaton() = default;

    // Keys in list order; an empty key is never found. Nothing when cancel was set
    // while building, or when the keys are too many for the automaton's 32-bit state numbers.
    static std::optional<KeyAutomaton> build(std::span<const QStringView> keys,
                                             const std::atomic_bool *cancel = nullptr);

    // The smallest index of a key that text contains, or nothing.
    std::optional<qsizetype> firstContained(QStringView text) const { return search(text, 0); }

    // What the automaton holds, for the benchmarks.
    size_t memoryBytes() const;

private:
    static constexpr quint32 NoKey = 0xffffffffu;
    static constexpr quint32 None = 0xffffffffu;

    struct State
    {
        quint32 firstChild; // children are firstChild .. the next state's firstChild - 1
        quint32 fail;       // the state of the longest proper suffix that is in the trie
        quint32 firstKey;   // smallest key index ending here or at any suffix state
    };

    // The smallest key index found, the search ending as soon as it is at most enough.
    std::optional<qsizetype> search(QStringView text, quint32 enough) const;
    quint32 child(quint32 state, char16_t c) const
    {
        if (state == 0)
            return m_rootChild[c];
        const quint32 begin = m_states[state].firstChild;
        const quint32 end = m_states[state + 1].firstChild;
        // Most states have a handful of children, fewer than a binary search pays for.
        if (end - begin <= 8) {
            for (quint32 i = begin; i < end; ++i) {
                if (m_labels[i] >= c)
                    return m_labels[i] == c ? i : None;
            }
            return None;
        }
        const char16_t *first = m_labels.data() + begin;
        const char16_t *last = m_labels.data() + end;
        const char16_t *found = std::lower_bound(first, last, c);
        return found != last && *found == c ? begin + quint32(found - first) : None;
    }

    // One more state than there are, so every state's children end at the next's firstChild.
    std::vector<State> m_states;
    // The code unit on the edge into each state (the root's is unused).
    std::vector<char16_t> m_labels;
    // The root has most children by far, and a text's every code unit asks it: it answers
    // from a direct table of all 65,536.
    std::vector<quint32> m_rootChild;
};
