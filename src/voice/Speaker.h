// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The robot's voice as the conversation sees it: every line cuts off the one before.

#include <QString>

class Speaker
{
public:
    virtual ~Speaker() = default;
    // Stops whatever is being spoken, then starts speaking text. Never blocks.
    virtual void say(const QString &text) = 0;
};
