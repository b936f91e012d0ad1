// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/Randomness.h"

#include <array>

namespace {

std::array<quint32, 2> words(quint64 seed)
{
    return {quint32(seed), quint32(seed >> 32)};
}

} // namespace

SeededRandom::SeededRandom(quint64 seed) : m_generator(words(seed).data(), 2) {}

double SystemRandom::next()
{
    return QRandomGenerator::global()->generateDouble();
}

const QString *pickRandom(const QStringList &items, RandomSource &random)
{
    const qsizetype count = items.size();
    if (count < 1)
        return nullptr;
    // r is drawn in single precision, as the original generator did: keep that rounding, but
    // never let it reach 1.0 and step past the last item.
    const float r = float(random.next());
    const auto offset = qMin(qsizetype(double(r) * double(count)), count - 1);
    return &items.at(offset);
}
