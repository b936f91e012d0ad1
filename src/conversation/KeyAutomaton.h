#pragma once
// Finds, in one pass over a text, the smallest index of any key of a list that the text
// contains: an Aho–Corasick automaton whose states are numbered breadth-first, so that the
// children of a state are consecutive and need no edge list of their own.

#include <QStringView>
#include <QtGlobal>
#include <atomic>
#include <optional>
#include <vector>

class KeyAutomaton
{
public:
    // An automaton without keys: it finds nothing.
    KeyAutomaton() = default;

    // Keys in list order; an empty key is contained in every text. Nothing when cancel was set
    // while building, or when the keys are too many for the automaton's 32-bit state numbers.
    static std::optional<KeyAutomaton> build(const std::vector<QStringView> &keys,
                                             const std::atomic_bool *cancel = nullptr);

    // The smallest index of a key that text contains, or nothing.
    std::optional<qsizetype> firstContained(QStringView text) const;

    qsizetype stateCount() const { return m_states.empty() ? 0 : qsizetype(m_states.size()) - 1; }
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

    quint32 child(quint32 state, char16_t c) const;

    // One more state than there are, so every state's children end at the next's firstChild.
    std::vector<State> m_states;
    // The code unit on the edge into each state (the root's is unused).
    std::vector<char16_t> m_labels;
    // The root has most children by far; it answers every code unit from a direct table when
    // it has enough of them to be worth one.
    std::vector<quint32> m_rootChild;
};
