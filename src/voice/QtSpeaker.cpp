// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "voice/QtSpeaker.h"

#include "common/ThreadCheck.h"
#include "voice/QtSpeechEngine.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
// Ample for a healthy engine to close; short enough that a hung one does not hold up the exit.
constexpr int ShutdownWaitMs = 1500;
} // namespace

QtSpeaker::QtSpeaker(QObject *parent, SpeechEngineFactory makeEngine)
    : QObject(parent), m_mailbox(std::make_shared<SpeechWorker::Mailbox>()), m_thread(new QThread),
      m_worker(new SpeechWorker(
          m_mailbox, makeEngine ? std::move(makeEngine) : [] {
              return std::unique_ptr<SpeechEngine>(std::make_unique<QtSpeechEngine>());
          }))
{
    // The engine talks to the speech daemon over a socket, which can close under it: the
    // process ignores SIGPIPE (ProcessPolicy), so that is a failed write and nothing worse.
    m_thread->setObjectName(QStringLiteral("speech"));
    m_worker->moveToThread(m_thread);
    connect(m_worker, &SpeechWorker::ready, this, &QtSpeaker::ready);
    // A connection made before the thread starts, not a call posted with each line: what Qt
    // stores for a posted call is handed to the speech thread under Qt's own lock, which
    // ThreadSanitizer cannot see, while everything made before the thread starts is ordered
    // before it.
    connect(this, &QtSpeaker::lineWaiting, m_worker, &SpeechWorker::speakNewest,
            Qt::QueuedConnection);
    connect(m_thread, &QThread::finished, m_worker, &SpeechWorker::releaseEngine,
            Qt::DirectConnection);
    // Posted ahead of every line, so the engine exists before the first line is taken.
    QMetaObject::invokeMethod(m_worker, &SpeechWorker::start, Qt::QueuedConnection);
    m_thread->start();
}

QtSpeaker::~QtSpeaker()
{
    m_mailbox->close();
    // Not a queued call: events are no longer delivered once the application object is gone,
    // and a speaker owned by it is destroyed just then.
    m_thread->quit();
    if (m_thread->wait(QDeadlineTimer(ShutdownWaitMs))) {
        ThreadCheck::takeOver(m_mailbox.get()); // the worker's last step, releaseEngine()
        delete m_worker;
        delete m_thread;
        return;
    }
    // The thread is stuck inside the engine. Deleting a running QThread aborts, and the
    // worker and engine are in use: leave all three to the end of the process.
    m_mailbox->abandon();
}

void QtSpeaker::say(const QString &text)
{
    // One wake-up per waiting line: lines posted before the worker gets to it replace it.
    if (m_mailbox->post(text))
        emit lineWaiting(QPrivateSignal());
}
