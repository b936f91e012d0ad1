// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The engine side of QtSpeaker: lives on the speech thread, makes the engine there and speaks
// the newest line it is handed.

#include "voice/SpeechEngine.h"

#include <QObject>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

class SpeechWorker : public QObject
{
    Q_OBJECT
public:
    // Hands lines from the GUI thread to the worker. It keeps only the newest line, so lines
    // that pile up while the engine starts (or hangs) collapse into the last one. Shared by
    // both sides so that it outlives whichever side goes first. A standard mutex, which
    // ThreadSanitizer sees, so the thread-checked build checks the hand-over.
    class Mailbox
    {
    public:
        // Stores text in place of any waiting line; true when nothing was waiting, so the
        // worker has to be woken for it.
        bool post(const QString &text);
        std::optional<QString> take();
        // No more lines: the speaker is going away.
        void close();
        bool isClosed() const;
        // The speaker stopped waiting for the worker and left it to the process's end.
        void abandon();
        bool isAbandoned() const;

    private:
        mutable std::mutex m_mutex;
        QString m_line;
        bool m_hasLine = false;
        bool m_closed = false;
        bool m_abandoned = false;
    };

    SpeechWorker(std::shared_ptr<Mailbox> mailbox, SpeechEngineFactory makeEngine);
    ~SpeechWorker() override;

    // Makes the engine and chooses the voice; runs first on the speech thread.
    void start();
    // Stops what is being spoken and speaks the waiting line, if any.
    void speakNewest();
    // Deletes the engine; called on the speech thread as it finishes, since by then (while the
    // application object is being destroyed, say) queued calls may no longer be delivered.
    void releaseEngine();

signals:
    // The engine is set up and speaks with this voice; empty when there is no speech.
    void ready(const QString &voiceName);

private:
    std::shared_ptr<Mailbox> m_mailbox;
    SpeechEngineFactory m_makeEngine;
    std::unique_ptr<SpeechEngine> m_engine;
};
