// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Recognises a message from someone who may be thinking of ending their life or hurting
// themselves, and holds the caring lines the robot answers such a message with.

#include <QString>
#include <QStringList>

namespace CrisisCare {

// True when the message, normalised as the robot compares messages (spaces removed, lower
// case), speaks of suicide or self-harm, in plain words or in the indirect ones people use:
// wanting it all to end, not waking up, disappearing, being a burden, nobody caring, means put
// aside, being too tired to go on, giving things away, goodbye for good. Everyday expressions
// such as "想死你了", "笑死我了" or "游戏结束了" do not count.
bool concerns(const QString &normalisedMessage);

// The lines the robot may answer such a message with, each one whole (no placeholders).
const QStringList &caringLines();

} // namespace CrisisCare
