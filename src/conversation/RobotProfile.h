// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Who the robot is: its name (used for "[rob]", in the transcript and the status line) and the
// details its profile panel shows.

#include <QString>

struct RobotProfile
{
    QString name;
    QString sex;
    QString birth;
    QString from;
    QString author;
    QString remark;
    QString credits;

    // The profile built into the program.
    static RobotProfile builtIn();
};
