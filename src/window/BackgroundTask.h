// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The window's long work (reading the knowledge file, preparing the teaching list, saving) and
// the busy state around it. The work runs on Qt's thread pool on values copied for it and never
// touches the window; its result comes back on the window's thread. While one piece of work runs
// the window is busy: the controls that could start other work are disabled, the window's timers
// hold their ticks, the status line says what is going on and a progress bar shows once the work
// passes a second. Only one piece of work runs at a time.

#include "common/ThreadCheck.h"
#include "common/WorkPool.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <functional>
#include <memory>
#include <type_traits>

class QTimer;
struct FrmMainUi;

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

    BackgroundTask(const FrmMainUi &ui, QObject *parent);
    // Asks the running work to stop where it can (a save goes on to the end, so the file is
    // whole); its result is dropped. Nothing waits here: the work holds nothing of the window.
    ~BackgroundTask() override;

    // Runs work(stop) on the thread pool, then done(result) on this object's thread. The work
    // must own everything it reads; stop is set when the window goes away meanwhile, and long
    // work checks it between pieces. what is shown in the status line until then. Refused
    // (false) while other work runs.
    template <typename Work, typename Done>
    bool start(Job job, const QString &what, Work work, Done done)
    {
        using Value = std::invoke_result_t<Work, const std::atomic_bool &>;
        if (busy())
            return false;
        begin(job, what);
        const void *token = m_stop.get();
        ThreadCheck::handOver(token);
        // A watcher, not a continuation: its signal always comes through the event loop, even
        // when the work is done before it is watched, so done() never runs inside start().
        auto *watcher = new QFutureWatcher<Value>(this);
        connect(watcher, &QFutureWatcherBase::finished, this,
                [this, watcher, token, done = std::move(done)]() mutable {
                    watcher->deleteLater();
                    ThreadCheck::takeOver(token);
                    end();
                    // Taken, not copied: a prepared teaching list is large.
                    done(watcher->future().takeResult());
                    afterDone();
                });
        watcher->setFuture(
            QtConcurrent::run(&WorkPool::instance(), [work = std::move(work), stop = m_stop,
                                                      before = beforeWork]() mutable {
                ThreadCheck::takeOver(stop.get());
                if (before)
                    before();
                Value value = work(std::as_const(*stop));
                ThreadCheck::handOver(stop.get());
                return value;
            }));
        return true;
    }

    bool busy() const { return m_job != Job::None; }
    Job job() const { return m_job; }
    // Closes the window once the work that runs now, and any it leads to, is done: leaving it
    // half way could lose what is being saved.
    void closeWhenDone() { m_closeWhenDone = true; }
    // The window is to close once the work is done: work that only leads on (a greeting,
    // teaching) has no use any more.
    bool closing() const { return m_closeWhenDone; }

    // The tick once the work has taken SlowMilliseconds: the progress bar appears. Called by
    // the timer (and directly by tests).
    void slowTick();

    // Called on the worker before each piece of work (tests hold the work there to look at the
    // window meanwhile).
    std::function<void()> beforeWork;

private:
    void begin(Job job, const QString &what);
    void end();
    void afterDone();

    const FrmMainUi &m_ui;
    QTimer *m_slowTimer = nullptr;
    Job m_job = Job::None;
    // Shared with the running work: set when it should stop early.
    std::shared_ptr<std::atomic_bool> m_stop;
    bool m_closeWhenDone = false;
    // What the controls showed before the work, given back after it.
    bool m_teachWasEnabled = false;
    QString m_status;
};
