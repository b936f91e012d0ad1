// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/FrmMainSeams.h"

#include "conversation/Randomness.h"
#include "voice/QtSpeaker.h"
#include "window/Dialogs.h"

#include <QDesktopServices>

void FrmMainSeams::fillInTheWorld()
{
    // Neither keeps any state, so every window may share them.
    static SystemClock systemClock;
    static SystemRandom systemRandom;
    if (!clock)
        clock = &systemClock;
    if (!random)
        random = &systemRandom;
    if (!askText)
        askText = Dialogs::askText;
    if (!showMessage)
        showMessage = Dialogs::showMessage;
    if (!openUrl)
        openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    if (!showChoice)
        showChoice = Dialogs::showChoice;
    if (!askSavePath)
        askSavePath = Dialogs::askSavePath;
    if (!stopRequested)
        stopRequested = [] { return false; };
    if (!makeVoice)
        makeVoice = [] { return std::make_unique<QtSpeaker>(); };
}
