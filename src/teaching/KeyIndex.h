// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Item ids by the hash of their key: pairs of a 32-bit tag of the hash and an id, sorted by tag,
// eight bytes an item, so a million keys need no million strings or nodes. A lookup hands over
// every id whose tag matches; the caller compares the keys themselves.

#include <QtGlobal>
#include <algorithm>
#include <vector>

class KeyIndex
{
public:
    // Ids 0 … count - 1, each with the hash hashOf(id) gives: sorted once, where a million
    // inserts one by one would each move half the items.
    template <typename HashOf> static KeyIndex ofIds(quint32 count, HashOf &&hashOf)
    {
        KeyIndex index;
        index.m_items.reserve(count);
        for (quint32 id = 0; id < count; ++id)
            index.m_items.push_back({tagOf(hashOf(id)), id});
        sortByTag(index.m_items);
        return index;
    }

    void insert(size_t hash, quint32 id);
    void remove(size_t hash, quint32 id);

    template <typename Visit> void forEachCandidate(size_t hash, Visit &&visit) const
    {
        const Item wanted{tagOf(hash), 0};
        for (auto at = std::lower_bound(m_items.cbegin(), m_items.cend(), wanted, byTag);
             at != m_items.cend() && at->tag == wanted.tag; ++at)
            visit(at->id);
    }

    // What the index holds, for the benchmarks.
    size_t memoryBytes() const { return m_items.capacity() * sizeof(Item); }

private:
    struct Item
    {
        quint32 tag;
        quint32 id;
    };

    // An object rather than a function, so that the sort inlines it: a million calls through a
    // pointer took half the time of entering teaching.
    static constexpr auto byTag = [](const Item &a, const Item &b) { return a.tag < b.tag; };
    static void sortByTag(std::vector<Item> &items);
    static quint32 tagOf(size_t hash) { return quint32(hash ^ (quint64(hash) >> 32)); }

    std::vector<Item> m_items; // sorted by tag
};
