// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/IdlePrompter.h"

#include "conversation/Randomness.h"
#include "knowledge/KnowledgeBase.h"

const QString *IdlePrompter::tick(RandomSource &random)
{
    if (!m_knowledge)
        return nullptr;
    if (++m_ticks < TicksBeforePrompt)
        return nullptr;
    m_ticks = 0;
    const bool askQuestion = int(2 * random.next() + 1) == 1;
    return pickRandom(askQuestion ? m_knowledge->randomQuestions : m_knowledge->randomAnswers,
                      random);
}
