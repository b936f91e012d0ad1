// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The console's interactive mode: a prompt with line editing and history, and 阿木's answer
// after every line. The history stays in memory and is never written anywhere: people tell
// 阿木 private things.

class ConsoleChat;

namespace Interactive {

// Talks until "/exit" or the end of input; returns the exit status.
int run(ConsoleChat &chat);

} // namespace Interactive
