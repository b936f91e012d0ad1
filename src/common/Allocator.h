// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// How the program asks the C library to hand memory back.

namespace Allocator {

// Large blocks (a table's text, its index, the bytes of a save) get pages of their own, which
// go back to the system when freed. By default glibc raises that threshold after each large
// block it frees, so the next ones of a few megabytes come from the heaps of the worker threads
// and stay there after use: a million-entry table then kept a hundred megabytes it no longer
// used.
void returnLargeBlocks();

} // namespace Allocator
