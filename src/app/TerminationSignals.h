// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Ends the program through the event loop when it is told to stop (SIGTERM, SIGINT, SIGHUP),
// so that the application's quitting runs and saves what no one can be asked about.

class QObject;

namespace TerminationSignals {

// Installs the handlers once; the application quits soon after one of the signals arrives.
void quitApplicationOnThem(QObject *application);

// True once one of them arrived: questions still open close unanswered, and none is asked again.
bool received();

} // namespace TerminationSignals
