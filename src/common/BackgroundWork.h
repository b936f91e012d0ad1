// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The one way work leaves the thread of the object that wants it: the work runs on the program's
// work pool on values copied for it, and its result comes back to the owner's thread through the
// event loop, never inside the call that started it. Work that may be abandoned is handed the
// stop flag and checks it between pieces; work that must not be (a save) never sees it and runs
// to its end. Either way, once the flag is set or the owner is gone, the result is dropped.

#include "common/ThreadCheck.h"
#include "common/WorkPool.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace BackgroundWork {

enum class Abandon
{
    Allowed, // the work checks the stop flag and may end early
    Never,   // the work runs to its end: a file is written whole or not at all
};

// Runs work(stop) on the work pool, then done(result) on owner's thread unless the returned flag
// was set meanwhile or owner is gone. before, when given, runs on the worker first (tests hold
// the work there). The work must own everything it reads.
template <typename Work, typename Done>
std::shared_ptr<std::atomic_bool> start(QObject *owner, Abandon abandon, Work work, Done done,
                                        std::function<void()> before = {})
{
    using Value = std::invoke_result_t<Work, const std::atomic_bool &>;
    auto stop = std::make_shared<std::atomic_bool>(false);
    ThreadCheck::handOver(stop.get());
    // A watcher, not a continuation: its signal always comes through the event loop, even when
    // the work is done before it is watched, and it goes with its owner.
    auto *watcher = new QFutureWatcher<Value>(owner);
    QObject::connect(watcher, &QFutureWatcherBase::finished, owner,
                     [watcher, stop, done = std::move(done)]() mutable {
                         watcher->deleteLater();
                         ThreadCheck::takeOver(stop.get());
                         if (stop->load())
                             return;
                         // Taken, not copied: a prepared teaching list is large.
                         done(watcher->future().takeResult());
                     });
    watcher->setFuture(
        QtConcurrent::run(&WorkPool::instance(), [work = std::move(work), stop, abandon,
                                                  before = std::move(before)]() mutable {
            ThreadCheck::takeOver(stop.get());
            if (before)
                before();
            static const std::atomic_bool never(false);
            Value value = work(abandon == Abandon::Allowed ? std::as_const(*stop) : never);
            ThreadCheck::handOver(stop.get());
            return value;
        }));
    return stop;
}

} // namespace BackgroundWork
