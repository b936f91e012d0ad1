// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The random draws and the clock reach the logic through these seams, so tests can hold them fixed.

#include <QDateTime>
#include <QStringList>

// A source of r in [0, 1), drawn afresh for every random choice.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

// The shipped source: a generator seeded once from the system's entropy.
class SystemRandom final : public RandomSource
{
public:
    double next() override;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// Picks one of the items with a fresh draw; nullptr when there are none.
const QString *pickRandom(const QStringList &items, RandomSource &random);
