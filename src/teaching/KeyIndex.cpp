// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/KeyIndex.h"

#include <array>

void KeyIndex::insert(size_t hash, quint32 id)
{
    const Item item{tagOf(hash), id};
    m_items.insert(std::upper_bound(m_items.cbegin(), m_items.cend(), item, byTag), item);
}

void KeyIndex::remove(size_t hash, quint32 id)
{
    const Item wanted{tagOf(hash), id};
    auto [at, end] = std::equal_range(m_items.begin(), m_items.end(), wanted, byTag);
    at = std::find_if(at, end, [id](const Item &item) { return item.id == id; });
    if (at != end)
        m_items.erase(at);
}

void KeyIndex::sortByTag(std::vector<Item> &items)
{
    // A byte of the tag at a time, lowest first, each pass keeping the order of the last: four
    // passes over the items, where std::sort's comparisons made up a third of entering teaching.
    // Ids of equal tags stay in the order they came, as ofIds() gives them.
    std::vector<Item> sorted(items.size());
    for (int shift = 0; shift < 32; shift += 8) {
        std::array<size_t, 257> next = {};
        for (const Item &item : items)
            ++next[((item.tag >> shift) & 0xff) + 1];
        for (size_t byte = 1; byte < next.size(); ++byte)
            next[byte] += next[byte - 1];
        for (const Item &item : items)
            sorted[next[(item.tag >> shift) & 0xff]++] = item;
        items.swap(sorted);
    }
}
