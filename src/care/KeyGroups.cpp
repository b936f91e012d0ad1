// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "care/KeyGroups.h"

#include <algorithm>

KeyGroups::KeyGroups(const std::vector<QStringList> &groups, const QStringList &shadows,
                     const QList<std::pair<char16_t, char16_t>> &variants)
{
    // The trie first, each state's children in a list of its own.
    std::vector<std::vector<std::pair<char16_t, quint32>>> children(1);
    m_groups.assign(1, 0);
    std::vector<bool> shadow(1, false);
    const auto insert = [&](const QString &key) {
        quint32 state = 0;
        for (const QChar c : key) {
            const auto &list = children[state];
            const auto found = std::find_if(list.cbegin(), list.cend(), [c](const auto &edge) {
                return edge.first == c.unicode();
            });
            if (found != list.cend()) {
                state = found->second;
                continue;
            }
            const auto next = quint32(children.size());
            children[state].push_back({c.unicode(), next});
            children.emplace_back();
            m_groups.push_back(0);
            shadow.push_back(false);
            state = next;
        }
        return state;
    };
    for (size_t group = 0; group < groups.size() && group < MostGroups; ++group) {
        for (const QString &key : groups[group]) {
            if (const quint32 state = insert(key); state != 0)
                m_groups[state] |= quint64(1) << group;
        }
    }
    for (const QString &key : shadows)
        shadow[insert(key)] = true;
    // A traditional character leads where its simplified one does: "撐不下去" reaches the state
    // of "撑不下去" with no key of its own.
    std::vector<std::pair<char16_t, char16_t>> sorted(variants.cbegin(), variants.cend());
    std::sort(sorted.begin(), sorted.end());
    for (auto &list : children) {
        for (size_t own = list.size(), e = 0; e < own; ++e) {
            const auto [c, child] = list[e];
            for (auto v = std::lower_bound(sorted.cbegin(), sorted.cend(),
                                           std::pair<char16_t, char16_t>(c, 0));
                 v != sorted.cend() && v->first == c; ++v) {
                if (std::none_of(list.cbegin(), list.cend(),
                                 [v](const auto &edge) { return edge.first == v->second; }))
                    list.push_back({v->second, child});
            }
        }
    }
    m_ending = m_groups;
    // Then every state's children side by side, and the root's in a table of all 65,536 code
    // units, since every code unit of a text asks the root.
    m_rootNext.assign(0x10000, 0);
    for (const auto &[c, child] : children[0])
        m_rootNext[c] = child;
    m_firstChild.reserve(children.size() + 1);
    for (const auto &list : children) {
        m_firstChild.push_back(quint32(m_labels.size()));
        for (const auto &[c, child] : list) {
            m_labels.push_back(c);
            m_targets.push_back(child);
        }
    }
    m_firstChild.push_back(quint32(m_labels.size()));
    // Breadth first, so that every shorter suffix has its link before it is followed; the
    // root's children keep the root as theirs. A traditional edge leads to a child its
    // simplified edge has already queued, so only the first edge into a child is followed.
    m_fail.assign(children.size(), 0);
    std::vector<bool> queued(children.size(), false);
    std::vector<quint32> queue;
    for (const auto &[c, child] : children[0]) {
        if (!queued[child]) {
            queued[child] = true;
            queue.push_back(child);
        }
    }
    for (size_t i = 0; i < queue.size(); ++i) {
        const quint32 state = queue[i];
        for (const auto &[c, child] : children[state]) {
            if (queued[child])
                continue;
            queued[child] = true;
            const quint32 fail = next(m_fail[state], c);
            m_fail[child] = fail;
            // A shadow's own keys count, the shorter ones it ends in do not.
            if (!shadow[child])
                m_groups[child] |= m_groups[fail];
            m_ending[child] |= m_ending[fail];
            queue.push_back(child);
        }
    }
}

quint64 KeyGroups::in(QStringView text, std::vector<Hit> &hits) const
{
    quint64 found = 0;
    quint32 state = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        state = next(state, text[i].unicode());
        found |= m_groups[state];
        if (m_ending[state] != 0)
            hits.push_back({i + 1, m_ending[state]});
    }
    return found;
}

bool KeyGroups::any(QStringView text, quint64 among) const
{
    quint32 state = 0;
    for (const QChar c : text) {
        state = next(state, c.unicode());
        if ((m_groups[state] & among) != 0)
            return true;
    }
    return false;
}

quint32 KeyGroups::next(quint32 state, char16_t c) const
{
    for (;;) {
        if (state == 0)
            return m_rootNext[c];
        // Below the root, states have a handful of children, which a scan finds soonest.
        for (quint32 i = m_firstChild[state]; i < m_firstChild[state + 1]; ++i) {
            if (m_labels[i] == c)
                return m_targets[i];
        }
        state = m_fail[state];
    }
}
