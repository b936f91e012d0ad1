// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What the window asks of the world (time, chance, the voice, dialogs, the disk), gathered so
// that tests and benchmarks can answer in its place; the window fills in the real ones.

#include "knowledge/KnowledgeFile.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class RandomSource;
class Speaker;

// Everything the window asks of the world, so tests can answer in its place.
struct FrmMainSeams
{
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
    Speaker *speaker = nullptr; // none: the window makes its own voice
    // Asks for a line of text; nothing when the user cancels.
    std::function<std::optional<QString>(const QString &title, const QString &prompt,
                                         const QString &defaultText)>
        askText;
    // Shows a message box and returns the button pressed.
    std::function<QMessageBox::StandardButton(QMessageBox::Icon, const QString &title,
                                              const QString &prompt, QMessageBox::StandardButtons)>
        showMessage;
    std::function<void(const QUrl &)> openUrl;
    // Shows a message box with buttons captioned as given, the first one the default and the
    // one Esc presses; returns the index of the button pressed.
    std::function<int(QMessageBox::Icon, const QString &title, const QString &prompt,
                      const QStringList &buttons)>
        showChoice;
    // Asks where to save a file, starting at suggestedPath; empty when the user cancels.
    std::function<QString(const QString &title, const QString &suggestedPath)> askSavePath;
    // Makes the voice the window owns when no speaker is given.
    std::function<std::unique_ptr<Speaker>()> makeVoice;
    // Makes the window's file writes fail as a full or read-only disk would (tests only).
    KnowledgeFile::WriteFault writeFault;
    // Where teaching that could not be written is kept when the data folder takes no new file
    // (the program gives the user's data folder and home; none in tests unless they ask).
    QStringList keepFolders;
    // Called on the worker before each piece of long work (tests hold the work there).
    std::function<void()> beforeWork;
    // True once the program was told to end (a termination signal): a dialog open then closes
    // unanswered, and any asked after it would close at once, so nothing more is asked.
    std::function<bool()> stopRequested;

    // Tells the user something in a box of the program's own, with one button to close it.
    void tell(QMessageBox::Icon icon, const QString &text) const
    {
        showMessage(icon, QStringLiteral("妙语通"), text, QMessageBox::Ok);
    }

    // Fills in the real world wherever nothing was given: the system's clock and chance, the
    // dialogs, the desktop's URL handler and the speech engine.
    void fillInTheWorld();
};
