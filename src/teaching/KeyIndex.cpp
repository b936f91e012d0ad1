// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/KeyIndex.h"

#include <algorithm>
#include <bit>

void KeyIndex::reserve(qsizetype count)
{
    const size_t wanted = std::bit_ceil(std::max<size_t>(16, 2 * size_t(count)));
    if (wanted > m_slots.size())
        rehash(wanted);
}

void KeyIndex::insert(size_t hash, quint32 id)
{
    Q_ASSERT(id <= MaxId);
    if (2 * (m_used + 1) > m_slots.size())
        rehash(std::bit_ceil(std::max<size_t>(16, 4 * (m_live + 1))));
    place(tagOf(hash), id);
    ++m_live;
    ++m_used;
}

void KeyIndex::remove(size_t hash, quint32 id)
{
    if (m_slots.empty())
        return;
    const quint32 tag = tagOf(hash);
    const size_t mask = m_slots.size() - 1;
    for (size_t at = tag & mask; m_slots[at].id != Empty; at = (at + 1) & mask) {
        if (m_slots[at].id == id) {
            // Left as a mark, so that the ids placed after it along the probe stay reachable.
            m_slots[at].id = Removed;
            --m_live;
            return;
        }
    }
}

void KeyIndex::place(quint32 tag, quint32 id)
{
    const size_t mask = m_slots.size() - 1;
    size_t at = tag & mask;
    while (m_slots[at].id != Empty)
        at = (at + 1) & mask;
    m_slots[at] = {id, tag};
}

void KeyIndex::rehash(size_t slots)
{
    std::vector<Slot> old(slots);
    old.swap(m_slots);
    m_used = m_live;
    for (const Slot &slot : old) {
        if (slot.id != Empty && slot.id != Removed)
            place(slot.tag, slot.id);
    }
}
