// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Item ids by the hash of their key, in one flat table of eight-byte slots: a million keys need
// no million strings or nodes. A lookup hands over every id whose hash matches; the caller
// compares the keys themselves.

#include <QtGlobal>
#include <vector>

class KeyIndex
{
public:
    // The largest id an index can hold.
    static constexpr quint32 MaxId = 0xFFFFFFFD;

    void reserve(qsizetype count);
    void insert(size_t hash, quint32 id);
    void remove(size_t hash, quint32 id);

    template <typename Visit> void forEachCandidate(size_t hash, Visit &&visit) const
    {
        if (m_slots.empty())
            return;
        const quint32 tag = tagOf(hash);
        const size_t mask = m_slots.size() - 1;
        for (size_t at = tag & mask;; at = (at + 1) & mask) {
            const Slot &slot = m_slots[at];
            if (slot.id == Empty)
                return;
            if (slot.id != Removed && slot.tag == tag)
                visit(slot.id);
        }
    }

private:
    static constexpr quint32 Empty = 0xFFFFFFFF;
    static constexpr quint32 Removed = 0xFFFFFFFE;

    struct Slot
    {
        quint32 id = Empty;
        quint32 tag = 0;
    };

    static quint32 tagOf(size_t hash) { return quint32(hash ^ (quint64(hash) >> 32)); }
    void place(quint32 tag, quint32 id);
    void rehash(size_t slots);

    std::vector<Slot> m_slots; // a power of two of them, at most half in use
    size_t m_live = 0;         // ids held
    size_t m_used = 0;         // slots not empty: ids held and ids removed
};
