// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// How the whole process behaves, set once by main before anything else runs: the allocator's
// habits and the signals no part of the program should die of.

namespace ProcessPolicy {

// Large blocks go back to the system when freed: after teaching a big table, the memory of the
// table it replaced is not kept for the rest of the session.
void returnLargeBlocks();

// A write to a socket whose reader went away fails instead of ending the program: the speech
// daemon can close its socket while the voice still talks to it.
void ignoreBrokenPipes();

// Ends the process once the work still running on the thread pool is done (a save finishes),
// without the teardown after it: libraries such as the speech engine's can hold up the exit for
// seconds after the window is gone.
[[noreturn]] void endWhenWorkIsDone(int code);

} // namespace ProcessPolicy
