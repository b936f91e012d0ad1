#include "conversation/Randomness.h"

#include <QRandomGenerator>

double SystemRandom::next()
{
    return QRandomGenerator::global()->generateDouble();
}

const QString *pickRandom(const QStringList &list, RandomSource &random)
{
    const qsizetype items = list.size() - 2;
    if (items < 1)
        return nullptr;
    // r is drawn in single precision, as the original generator did: keep that rounding, but
    // never let it reach 1.0 and step past the last item.
    const float r = float(random.next());
    const auto offset = qMin(qsizetype(double(r) * double(items)), items - 1);
    return &list.at(offset + 1);
}
