// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "app/ProcessPolicy.h"

#include "common/WorkPool.h"

#include <QCoreApplication>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib> // defines __GLIBC__ where it applies
#include <mutex>
#include <thread>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ProcessPolicy {

void returnLargeBlocks()
{
#if defined(__GLIBC__)
    // Setting the threshold at all keeps glibc from moving it.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
#endif
}

void ignoreBrokenPipes()
{
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define MIAOYU_CHECKED_END 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define MIAOYU_CHECKED_END 1
#endif

[[noreturn]] void endNow(int code)
{
    // Only our own streams: flushing all of them would wait on the speech library's socket,
    // which its reading thread keeps locked.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

} // namespace

bool endsThroughExit()
{
#ifdef MIAOYU_CHECKED_END
    return true;
#else
    return false;
#endif
}

void endAfterWindow(std::unique_ptr<QCoreApplication> application, int code)
{
    WorkPool::instance().waitForDone();

    std::mutex mutex;
    std::condition_variable changed;
    bool done = false;
    std::thread deadline([&] {
        std::unique_lock lock(mutex);
        if (!changed.wait_for(lock, std::chrono::milliseconds(EndMilliseconds),
                              [&] { return done; }))
            endNow(code);
    });
    application.reset();
    {
        const std::lock_guard lock(mutex);
        done = true;
    }
    changed.notify_all();
    deadline.join();
    if (endsThroughExit())
        std::exit(code);
    endNow(code);
}

} // namespace ProcessPolicy
