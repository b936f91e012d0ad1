// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// A big Data.ait for the benchmarks that drive the real window.

#include "common/GbkCodec.h"
#include "support/SmallKnowledge.h"

#include <QRandomGenerator>
#include <QStringList>

// Entries of the default table's kind: a short key, mostly Chinese, and a reply or two.
inline QByteArray generatedFile(int count)
{
    QRandomGenerator random(13);
    const auto hanzi = [&random] { return QChar(char16_t(0x4E00 + random.bounded(0x5000))); };
    QStringList entries;
    entries.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString key;
        for (int n = 1 + int(random.bounded(4)); n > 0; --n)
            key += hanzi();
        if (random.bounded(5) == 0)
            key += QString::number(i);
        QString reply;
        for (int n = 8 + int(random.bounded(20)); n > 0; --n)
            reply += hanzi();
        entries << key + u'\\' + reply + QStringLiteral("^_^\\");
    }
    return *GbkCodec::encode(knowledgeText(entries));
}
