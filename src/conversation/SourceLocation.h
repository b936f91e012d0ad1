// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Where /getcode takes the user: the web page of the source when the build names one, else
// the program's documentation or source on this computer, never an address that leads nowhere.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace SourceLocation {

// The address when there is one; else the first of the folders that exists, as a file URL;
// else an empty URL: there is nowhere to go.
QUrl choose(const QString &address, const QStringList &folders);

// The web page of the source that this build was given; empty when none.
QString configuredAddress();

// This program's choice: the configured address, the documentation folder of the installed
// program, then the source folder it was built from.
QUrl forThisProgram();

} // namespace SourceLocation
