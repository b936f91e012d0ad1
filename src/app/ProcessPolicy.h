// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// How the whole process behaves, set once by main before anything else runs: the allocator's
// habits and the signals no part of the program should die of.

#include <memory>

class QCoreApplication;

namespace ProcessPolicy {

// Large blocks go back to the system when freed: after teaching a big table, the memory of the
// table it replaced is not kept for the rest of the session.
void returnLargeBlocks();

// A write to a socket whose reader went away fails instead of ending the program: the speech
// daemon can close its socket while the voice still talks to it.
void ignoreBrokenPipes();

// True in the sanitizer builds: the process ends through exit(), so the leak checker sees the
// real program's end, and the voice is let go rather than left running.
bool endsThroughExit();

// Ends the process once the window has closed. The work still running on the work pool is
// waited for (a save finishes, a load has been told to stop); then the application object is
// destroyed, which on X11 hands what was copied to the desktop's clipboard manager; then the
// process ends without the rest of the teardown, where libraries such as the speech engine's
// can hold up the exit for seconds. Whatever still runs after the work pool is done gets
// EndMilliseconds: a clipboard manager that does not answer (Qt would wait five seconds for it)
// or a library that hangs in its teardown cannot keep the process alive longer.
[[noreturn]] void endAfterWindow(std::unique_ptr<QCoreApplication> application, int code);
inline constexpr int EndMilliseconds = 1500;

} // namespace ProcessPolicy
