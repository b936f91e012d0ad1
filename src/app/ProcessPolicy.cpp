// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "app/ProcessPolicy.h"

#include "common/WorkPool.h"

#include <csignal>
#include <cstdio>
#include <cstdlib> // defines __GLIBC__ where it applies
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

void endWhenWorkIsDone(int code)
{
    WorkPool::instance().waitForDone();
    // Only our own streams: flushing all of them would wait on the speech library's socket,
    // which its reading thread keeps locked.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

} // namespace ProcessPolicy
