// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The robot's voice through Qt TextToSpeech. The engine is slow to start and can hang in a
// daemon without a sound server, so it lives on its own thread and the GUI never waits on it.

#include "voice/Speaker.h"
#include "voice/SpeechWorker.h"

#include <QObject>

#include <memory>

class QThread;

class QtSpeaker : public QObject, public Speaker
{
    Q_OBJECT
public:
    // makeEngine is called on the speech thread; by default the real engine.
    explicit QtSpeaker(QObject *parent = nullptr, SpeechEngineFactory makeEngine = {});
    // Waits a short, bounded time for the speech thread, then leaves a hung one behind.
    ~QtSpeaker() override;

    void say(const QString &text) override;

signals:
    // The engine is set up and speaks with this voice; empty when there is no speech.
    void ready(const QString &voiceName);
    // A line waits in the mailbox (delivered to the worker on the speech thread).
    void lineWaiting(QPrivateSignal);

private:
    std::shared_ptr<SpeechWorker::Mailbox> m_mailbox;
    // Not children of this object: a hung speech thread keeps using them after we are gone.
    QThread *m_thread;
    SpeechWorker *m_worker;
};
