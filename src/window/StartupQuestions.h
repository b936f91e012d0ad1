// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What start-up asks the user before the knowledge is loaded: the name on first run, and what
// to do with a knowledge file saved in the wrong encoding.

#include "window/FrmMainSeams.h"

#include <QString>
#include <optional>

namespace StartupQuestions {

// Asks until the user gives a name the knowledge file can hold; nothing when the program was
// told to end meanwhile.
std::optional<QString> askUserName(const FrmMainSeams &seams, const QString &robotName);

// First run: Data.ait made from the default knowledge with the user's name. False when it could
// not be made (the user was told why) or the program was told to end meanwhile.
bool seedKnowledgeFile(const FrmMainSeams &seams, const QString &dataPath,
                       const QString &robotName);

// A Data.ait that looks like UTF-8 is converted to GBK if the user agrees; false when the
// program cannot go on (the user chose to leave the file alone, or the conversion failed and
// they were told why).
bool settleEncoding(const FrmMainSeams &seams, const QString &dataPath);

// Why Data.ait could not be made on first run, or read at start-up.
void tellNotCreated(const FrmMainSeams &seams, const QString &dataPath, const QString &reason);
void tellNotRead(const FrmMainSeams &seams, const QString &dataPath, const QString &reason);

// Points out work that an earlier session could not write to Data.ait and kept beside it, and
// how to use it.
void tellAboutKeptWork(const FrmMainSeams &seams, const QString &dataPath);

} // namespace StartupQuestions
