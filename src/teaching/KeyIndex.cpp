// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/KeyIndex.h"

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
