// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What the fuzz targets share: a failed invariant stops the run loudly, so libFuzzer keeps the
// input that broke it.

#include "knowledge/KnowledgeBase.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline void require(bool holds, const char *invariant)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        std::abort();
    }
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The table's rows as a save writes them: the entries without their line ends.
inline QStringList entryRows(const KeywordTable &entries)
{
    QStringList out;
    for (const QStringView entry : entries)
        out += KnowledgeEntry::withoutLineEnd(entry).toString();
    return out;
}
