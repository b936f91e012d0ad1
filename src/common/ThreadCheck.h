// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Tells ThreadSanitizer where work changes threads. Qt hands work to its thread pool and results
// back through locks the tool cannot see (Debian's Qt is not built for it), so without these it
// would take every value handed over for a race. Nothing at all in other builds.

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define MIAOYU_THREAD_CHECK 1
#endif
#endif

#ifdef MIAOYU_THREAD_CHECK
#include <sanitizer/tsan_interface.h>
#endif

namespace ThreadCheck {

// Everything this thread wrote so far is seen by the thread that later calls takeOver(token).
inline void handOver([[maybe_unused]] const void *token)
{
#ifdef MIAOYU_THREAD_CHECK
    __tsan_release(const_cast<void *>(token));
#endif
}

inline void takeOver([[maybe_unused]] const void *token)
{
#ifdef MIAOYU_THREAD_CHECK
    __tsan_acquire(const_cast<void *>(token));
#endif
}

} // namespace ThreadCheck
