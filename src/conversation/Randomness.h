// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The random draws and the clock reach the logic through these seams, so tests can hold them fixed.

#include <QDateTime>
#include <QRandomGenerator>
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

// A generator started from a number: the same number gives the same draws, so a run of the
// console can be repeated exactly.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(quint64 seed);
    double next() override { return m_generator.generateDouble(); }

private:
    QRandomGenerator m_generator;
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

// A clock that always tells the moment it was given.
class StoppedClock final : public Clock
{
public:
    explicit StoppedClock(QDateTime when) : m_when(std::move(when)) {}
    QDateTime now() const override { return m_when; }

private:
    QDateTime m_when;
};

// Picks one of the items with a fresh draw; nullptr when there are none.
const QString *pickRandom(const QStringList &items, RandomSource &random);
