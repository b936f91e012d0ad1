// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The window's long work (reading the knowledge file, preparing the teaching list, saving) and
// the busy state around it: one piece of work at a time, through BackgroundWork. While it runs
// the window is busy: the window's timers hold their ticks, a close waits for the work, and the
// window's controls follow started(), slow() and ended() (FrmMainUi::followWork).

#include "common/BackgroundWork.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QTimer;

class BackgroundTask : public QObject
{
    Q_OBJECT

public:
    // Work that takes longer than this shows the progress bar.
    static constexpr int SlowMilliseconds = 1000;

    enum class Job
    {
        None,
        Loading,
        PreparingTeaching,
        Saving,
        SavingElsewhere,
    };

    explicit BackgroundTask(QObject *parent);
    // Asks the running work to stop where it can (a save goes on to the end, so the file is
    // whole); its result is dropped. Nothing waits here: the work holds nothing of the window.
    ~BackgroundTask() override;

    // Runs work(stop) on the work pool, then done(result) on this object's thread. The work must
    // own everything it reads; reading and preparing check stop between pieces, a save never
    // sees it. what is shown in the status line until then. Refused (false) while other work
    // runs.
    template <typename Work, typename Done>
    bool start(Job job, const QString &what, Work work, Done done)
    {
        if (busy())
            return false;
        begin(job, what);
        m_stop = BackgroundWork::start(
            this, abandonFor(job), std::move(work),
            [this, done = std::move(done)](auto result) mutable {
                end();
                done(std::move(result));
                afterDone();
            },
            beforeWork);
        return true;
    }

    bool busy() const { return m_job != Job::None; }
    // Stops work that may stop (a load, preparing teaching) at once and drops its result, as a
    // termination signal does; false for a save, which always finishes.
    bool abandon();
    Job job() const { return m_job; }
    // Closes the window once the work that runs now, and any it leads to, is done: leaving it
    // half way could lose what is being saved.
    void closeWhenDone() { m_closeWhenDone = true; }
    // The window is to close once the work is done: work that only leads on (a greeting,
    // teaching) has no use any more.
    bool closing() const { return m_closeWhenDone; }

    // The tick once the work has taken SlowMilliseconds. Called by the timer (and directly by
    // tests).
    void slowTick();

    // Called on the worker before each piece of work (tests hold the work there to look at the
    // window meanwhile).
    std::function<void()> beforeWork;

signals:
    // Work began; what says what is going on.
    void started(const QString &what);
    // The work has taken SlowMilliseconds and goes on.
    void slow();
    // The work is done; its result is handled next.
    void ended();

private:
    static BackgroundWork::Abandon abandonFor(Job job);
    void begin(Job job, const QString &what);
    void end();
    void afterDone();

    QTimer *m_slowTimer = nullptr;
    Job m_job = Job::None;
    // Shared with the running work: set when it should stop early and its result be dropped.
    std::shared_ptr<std::atomic_bool> m_stop;
    bool m_closeWhenDone = false;
};
