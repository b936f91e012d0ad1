// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The knowledge the console talks with: the Data.ait the window would use, read and never
// written, converted, backed up or locked; or the knowledge built into the program.

#include "common/Result.h"
#include "knowledge/KnowledgeBase.h"

#include <QStringList>

namespace ConsoleKnowledge {

// Reads Data.ait from the first of the folders that holds one. A missing file, or one the
// window would refuse or ask about first, gives what to tell the user, in words.
Result<KnowledgeBase> read(const QStringList &folders);

Result<KnowledgeBase> builtIn();

} // namespace ConsoleKnowledge
