// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Why a taught entry can never answer, in words for the teaching panel: the reply engine takes
// the first entry in list order whose key a message holds, and some messages never reach the
// table at all. Teaching still stores such an entry; the hint only says what will happen.

#include <QString>
#include <QStringList>

class TeachingList;

namespace ShadowHint {

// Keys longer than this get no hint: looking at every part of a very long key on each commit
// would make the panel wait.
constexpr qsizetype LongestKeyChecked = 256;

// The hint for the entry with this (normalised) key at row of list (for an entry not committed
// yet: the row it would take), or an empty string when a message of the key reaches it. The reply
// engine's own routing decides, over the list's order (the order the table is saved in) and with
// the knowledge's filter words.
QString forEntry(const QString &key, int row, const TeachingList &list, const QString &robotName,
                 const QStringList &filterWords = {});

} // namespace ShadowHint
