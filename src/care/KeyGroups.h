// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Finds in one pass which groups of keys a text holds, and where their keys end: an
// Aho–Corasick automaton like the reply index's, but one that answers with every group present
// rather than the first key. Care's phrases are one group and each family's words another, so a
// sentence asks only the few families whose words it holds.
//
// A shadow is a word that ends in a key without meaning it: "累死", "笑死" and "热死" end in
// "死", and chat is full of them. Where a shadow ends, the keys it ends in are not found, so that
// the families asking after "死" are not asked of every tired or amused sentence; a "死"
// elsewhere in the sentence is still found.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <utility>
#include <vector>

class KeyGroups
{
public:
    static constexpr size_t MostGroups = 64;

    struct Hit
    {
        qsizetype end; // where a key ends in the text (the index after its last character)
        quint64 groups;
    };

    KeyGroups() = default;
    // At most MostGroups groups; an empty key is never found. Each variant pair is a simplified
    // character and a traditional one that leads wherever it does, so a key is found in either
    // form at no cost to the scan.
    KeyGroups(const std::vector<QStringList> &groups, const QStringList &shadows,
              const QList<std::pair<char16_t, char16_t>> &variants);

    // The groups of which the text holds a key, one bit each, and where each key ends: there,
    // a shadow hides nothing, since it only decides which groups are asked at all.
    quint64 in(QStringView text, std::vector<Hit> &hits) const;
    // Whether the text holds a key of any of the groups given; stops at the first.
    bool any(QStringView text, quint64 among) const;

private:
    quint32 next(quint32 state, char16_t c) const;

    std::vector<quint64> m_groups; // of the keys ending at each state or at any suffix of it
    std::vector<quint64> m_ending; // the same, shadows or not
    std::vector<quint32> m_fail;
    std::vector<quint32> m_firstChild; // a state's children are firstChild .. the next's - 1
    std::vector<char16_t> m_labels;
    std::vector<quint32> m_targets;
    std::vector<quint32> m_rootNext; // the root's child for each code unit, or the root
};
