// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Seams held fixed for tests: a scripted random source, a settable clock, a speaker that
// only records what it was asked to say.

#include "conversation/Randomness.h"
#include "voice/Speaker.h"

#include <QList>

class ScriptedRandom final : public RandomSource
{
public:
    // Returns the queued values in order, then the fallback forever.
    double next() override { return m_queue.isEmpty() ? m_fallback : m_queue.takeFirst(); }
    void queue(std::initializer_list<double> values) { m_queue.append(values); }
    void setFallback(double r) { m_fallback = r; }

private:
    QList<double> m_queue;
    double m_fallback = 0;
};

class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &when) { m_now = when; }

private:
    QDateTime m_now{QDate(2014, 9, 5), QTime(6, 43, 55)};
};

class RecordingSpeaker final : public Speaker
{
public:
    void say(const QString &text) override { lines.append(text); }
    QStringList lines;
};
