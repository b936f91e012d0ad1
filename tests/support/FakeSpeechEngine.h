// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// A speech engine that starts no process: it records what the speech thread asks of it, and can
// be held in start() or in stop() as a slow or wedged daemon holds the real one.

#include "voice/SpeechEngine.h"

#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

// Shared by the test and the engine, which lives on the speech thread.
class SpeechLog
{
public:
    void add(const QString &call)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_calls.append(call);
        }
        m_changed.notify_all();
    }

    QStringList calls() const
    {
        const std::lock_guard lock(m_mutex);
        return m_calls;
    }

    // Waits, at most timeoutMs, until the calls satisfy done.
    bool waitFor(const std::function<bool(const QStringList &)> &done, int timeoutMs)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return done(m_calls); });
    }

    // start() waits until released; stop() from the nth on never comes back.
    void holdStart()
    {
        const std::lock_guard lock(m_mutex);
        m_startHeld = true;
    }
    void releaseStart()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_startHeld = false;
        }
        m_changed.notify_all();
    }
    void hangStopFrom(int nth)
    {
        const std::lock_guard lock(m_mutex);
        m_hangingStop = nth;
    }

    void waitWhileStartHeld()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_startHeld; });
    }
    void hangIfStopIsWedged()
    {
        std::unique_lock lock(m_mutex);
        if (m_hangingStop > 0 && m_calls.count(QStringLiteral("stop")) >= m_hangingStop)
            m_changed.wait(lock, [] { return false; }); // as a wedged daemon: for good
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    QStringList m_calls;
    bool m_startHeld = false;
    int m_hangingStop = 0;
};

class FakeSpeechEngine final : public SpeechEngine
{
public:
    FakeSpeechEngine(std::shared_ptr<SpeechLog> log, std::optional<QString> voice)
        : m_log(std::move(log)), m_voice(std::move(voice))
    {
    }
    ~FakeSpeechEngine() override { m_log->add(QStringLiteral("released")); }

    std::optional<QString> start() override
    {
        m_log->add(QStringLiteral("start"));
        m_log->waitWhileStartHeld();
        return m_voice;
    }
    void stop() override
    {
        m_log->add(QStringLiteral("stop"));
        m_log->hangIfStopIsWedged();
    }
    void say(const QString &text) override { m_log->add(QStringLiteral("say ") + text); }

    // A factory for QtSpeaker.
    static SpeechEngineFactory factory(std::shared_ptr<SpeechLog> log,
                                       std::optional<QString> voice = QStringLiteral("fake"))
    {
        return [log = std::move(log), voice = std::move(voice)] {
            return std::unique_ptr<SpeechEngine>(std::make_unique<FakeSpeechEngine>(log, voice));
        };
    }

private:
    std::shared_ptr<SpeechLog> m_log;
    std::optional<QString> m_voice;
};
