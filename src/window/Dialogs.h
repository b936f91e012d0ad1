// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The real dialogs behind the window's seams that need more than a standard message box.

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>

namespace Dialogs {

// An input dialog; nothing when the user cancels.
std::optional<QString> askText(const QString &title, const QString &prompt,
                               const QString &defaultText);

// A message box with standard buttons, captioned in Chinese; returns the button pressed.
QMessageBox::StandardButton showMessage(QMessageBox::Icon icon, const QString &title,
                                        const QString &prompt,
                                        QMessageBox::StandardButtons buttons);

// A message box with one button per caption, the first the default and the Esc button;
// returns the index of the button pressed.
int showChoice(QMessageBox::Icon icon, const QString &title, const QString &prompt,
               const QStringList &buttons);

// A save-file dialog that starts at suggestedPath; empty when cancelled.
QString askSavePath(const QString &title, const QString &suggestedPath);

} // namespace Dialogs
