// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "app/ProcessPolicy.h"

#include <csignal>
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

} // namespace ProcessPolicy
