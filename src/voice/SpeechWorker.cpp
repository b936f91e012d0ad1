// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "voice/SpeechWorker.h"

#include "common/ThreadCheck.h"

#include <utility>

bool SpeechWorker::Mailbox::post(const QString &text)
{
    const std::lock_guard lock(m_mutex);
    const bool wasEmpty = !m_hasLine;
    m_line = text;
    m_hasLine = true;
    return wasEmpty;
}

std::optional<QString> SpeechWorker::Mailbox::take()
{
    const std::lock_guard lock(m_mutex);
    if (!m_hasLine || m_closed)
        return std::nullopt;
    m_hasLine = false;
    return std::exchange(m_line, QString());
}

void SpeechWorker::Mailbox::close()
{
    const std::lock_guard lock(m_mutex);
    m_closed = true;
}

bool SpeechWorker::Mailbox::isClosed() const
{
    const std::lock_guard lock(m_mutex);
    return m_closed;
}

void SpeechWorker::Mailbox::abandon()
{
    const std::lock_guard lock(m_mutex);
    m_abandoned = true;
}

bool SpeechWorker::Mailbox::isAbandoned() const
{
    const std::lock_guard lock(m_mutex);
    return m_abandoned;
}

SpeechWorker::SpeechWorker(std::shared_ptr<Mailbox> mailbox, SpeechEngineFactory makeEngine)
    : m_mailbox(std::move(mailbox)), m_makeEngine(std::move(makeEngine))
{
}

SpeechWorker::~SpeechWorker() = default;

void SpeechWorker::start()
{
    std::unique_ptr<SpeechEngine> engine = m_makeEngine();
    const std::optional<QString> voiceName = engine->start();
    // Starting the engine takes over a second; the speaker may be gone by now.
    if (m_mailbox->isClosed()) {
        m_engine = std::move(engine); // released as the thread finishes
        return;
    }
    if (voiceName)
        m_engine = std::move(engine);
    emit ready(voiceName.value_or(QString()));
    speakNewest();
}

void SpeechWorker::speakNewest()
{
    const std::optional<QString> line = m_mailbox->take();
    if (!line || !m_engine)
        return;
    // Without the stop a line said during another one would queue behind it.
    m_engine->stop();
    // stop() hangs on a wedged daemon; when it comes back the speaker may be gone.
    if (m_mailbox->isClosed())
        return;
    m_engine->say(*line);
}

void SpeechWorker::releaseEngine()
{
    // Once abandoned, the process may already be tearing down: better to leak the engine than
    // run its teardown against half-destroyed globals.
    if (m_mailbox->isAbandoned())
        (void)m_engine.release();
    else
        m_engine.reset();
    // The speaker deletes this worker once the thread's end is seen through QThread::wait(),
    // whose lock ThreadSanitizer cannot see.
    ThreadCheck::handOver(m_mailbox.get());
}
