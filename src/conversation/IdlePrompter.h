// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Counts idle-timer ticks and decides when, and with what, the robot speaks to a quiet user.

#include <QString>

struct KnowledgeBase;
class RandomSource;

class IdlePrompter
{
public:
    static constexpr int TicksBeforePrompt = 3;

    // Ticks count only once the knowledge is loaded: the name dialog of the first run is
    // modal, and the timer keeps ticking behind it.
    void setKnowledge(const KnowledgeBase *knowledge) { m_knowledge = knowledge; }
    void reset() { m_ticks = 0; }
    int ticks() const { return m_ticks; }

    // One tick; returns the prompt to say on the tick that completes the idle period.
    const QString *tick(RandomSource &random);

private:
    const KnowledgeBase *m_knowledge = nullptr;
    int m_ticks = 0;
};
