// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What a benchmark that drives the real window gives it: a fixed clock, a scripted random
// source, a voice that only records, and message boxes answered "Yes" at once.

#include "support/Fakes.h"
#include "window/FrmMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

struct BenchFakes
{
    ScriptedRandom random;
    FixedClock clock;
    RecordingSpeaker speaker;

    FrmMainSeams seams()
    {
        FrmMainSeams seams;
        seams.random = &random;
        seams.clock = &clock;
        seams.speaker = &speaker;
        seams.showMessage = [](QMessageBox::Icon, const QString &, const QString &,
                               QMessageBox::StandardButtons) { return QMessageBox::Yes; };
        return seams;
    }
};

// Handles the window's events until done() holds (the window's long work runs meanwhile).
inline void waitUntil(const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 600'000)
            qFatal("gave up waiting");
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// Until the window's long work, and what it leads to, is done.
inline void waitForWork(const FrmMain &window)
{
    waitUntil([&window] { return !window.busy(); });
}
