// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "common/Allocator.h"

#include <cstdlib> // defines __GLIBC__ where it applies
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Allocator {

void returnLargeBlocks()
{
#if defined(__GLIBC__)
    // Setting the threshold at all keeps glibc from moving it.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
#endif
}

} // namespace Allocator
