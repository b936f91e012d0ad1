// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The layout of Data.ait, for the code in this folder only: the marker that begins each
// section, which section is which, and the separators inside them.

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

namespace KnowledgeFormat {

// Begins each of the seven sections; ASCII, so its bytes are the same in GBK.
inline constexpr char MarkerText[] = "[AI_Dat]";
inline constexpr QLatin1StringView Marker{MarkerText};
inline const QByteArray MarkerBytes{MarkerText};

inline const QString LineEnd = QStringLiteral("\r\n");
inline constexpr char LineEndBytes[] = "\r\n";

// Section 0 is the header; 1 to 6 the lists in the order of KnowledgeBase; 7 the table.
inline constexpr int ListCount = 6;
inline constexpr int TableSection = 7;

inline constexpr QChar ItemSeparator = u'|';
inline constexpr QChar ReplySeparator = u'\\';

} // namespace KnowledgeFormat
