// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/KeyAutomaton.h"

#include <string_view>

namespace {

constexpr size_t CodeUnits = 0x10000;

} // namespace

std::optional<KeyAutomaton> KeyAutomaton::build(std::span<const QStringView> keys,
                                                const std::atomic_bool *cancel)
{
    const auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };
    const auto unitsOf = [&keys](quint32 i) {
        return std::u16string_view(keys[i].utf16(), size_t(keys[i].size()));
    };

    // Every code unit of every key makes at most one state, and state numbers must stay below
    // None.
    size_t units = 1;
    for (QStringView key : keys)
        units += size_t(key.size());
    if (keys.size() >= NoKey || units >= None)
        return std::nullopt;

    // Sorted keys share each prefix in one run, so the trie grows a level at a time from runs.
    std::vector<quint32> order(keys.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&unitsOf](quint32 a, quint32 b) { return unitsOf(a) < unitsOf(b); });
    if (cancelled())
        return std::nullopt;

    KeyAutomaton automaton;
    std::vector<State> &states = automaton.m_states;
    std::vector<char16_t> &labels = automaton.m_labels;
    // Room for the most states there can be, so that no growth copies them: pages never
    // written are never resident.
    states.reserve(units + 1);
    labels.reserve(units);
    // Until the failure links are made, each state's fail field holds its parent.
    states.push_back({0, 0, NoKey});
    labels.push_back(0);

    struct Run
    {
        quint32 begin;
        quint32 end;
    };
    std::vector<Run> level{{0, quint32(order.size())}};
    std::vector<Run> next;
    quint32 levelStart = 0;
    for (size_t depth = 0; !level.empty(); ++depth) {
        if (cancelled())
            return std::nullopt;
        next.clear();
        const quint32 nextStart = levelStart + quint32(level.size());
        for (size_t k = 0; k < level.size(); ++k) {
            const quint32 state = levelStart + quint32(k);
            states[state].firstChild = nextStart + quint32(next.size());
            auto [i, end] = level[k];
            // The key that is exactly this prefix sorts before every longer one. An empty key
            // is never found: contained in every text, it would hide every other key.
            quint32 firstKey = NoKey;
            for (; i < end && unitsOf(order[i]).size() == depth; ++i) {
                if (depth > 0)
                    firstKey = std::min(firstKey, order[i]);
            }
            states[state].firstKey = firstKey;
            while (i < end) {
                const char16_t c = unitsOf(order[i])[depth];
                quint32 j = i + 1;
                while (j < end && unitsOf(order[j])[depth] == c)
                    ++j;
                next.push_back({i, j});
                states.push_back({0, state, NoKey});
                labels.push_back(c);
                i = j;
            }
        }
        levelStart = nextStart;
        std::swap(level, next);
    }
    const auto stateTotal = quint32(states.size());
    states.push_back({stateTotal, 0, NoKey});
    order = {};

    automaton.m_rootChild.assign(CodeUnits, None);
    for (quint32 s = states[0].firstChild; s < states[1].firstChild; ++s)
        automaton.m_rootChild[labels[s]] = s;

    // Breadth-first numbering puts every suffix state before the states it serves.
    for (quint32 s = 1; s < stateTotal; ++s) {
        if ((s & 0xfffff) == 0 && cancelled())
            return std::nullopt;
        quint32 fail = 0;
        // The parent comes earlier, so its own fail field already holds its failure link.
        if (const quint32 parent = states[s].fail; parent != 0) {
            for (quint32 f = states[parent].fail;; f = states[f].fail) {
                if (const quint32 t = automaton.child(f, labels[s]); t != None) {
                    fail = t;
                    break;
                }
                if (f == 0)
                    break;
            }
        }
        states[s].fail = fail;
        states[s].firstKey = std::min(states[s].firstKey, states[fail].firstKey);
    }
    return automaton;
}

std::optional<qsizetype> KeyAutomaton::search(QStringView text, quint32 enough) const
{
    if (m_states.empty())
        return std::nullopt;
    quint32 best = m_states[0].firstKey;
    quint32 state = 0;
    const char16_t *units = text.utf16();
    for (qsizetype i = 0, size = text.size(); i < size; ++i) {
        const char16_t c = units[i];
        if (best <= enough)
            break;
        for (;;) {
            if (const quint32 t = child(state, c); t != None) {
                state = t;
                break;
            }
            if (state == 0)
                break;
            state = m_states[state].fail;
        }
        best = std::min(best, m_states[state].firstKey);
    }
    if (best == NoKey)
        return std::nullopt;
    return qsizetype(best);
}

size_t KeyAutomaton::memoryBytes() const
{
    // What is written; the room reserved beyond it is never touched.
    return m_states.size() * sizeof(State) + m_labels.size() * sizeof(char16_t) +
           m_rootChild.size() * sizeof(quint32);
}
