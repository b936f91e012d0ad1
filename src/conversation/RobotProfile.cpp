// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/RobotProfile.h"

RobotProfile RobotProfile::builtIn()
{
    return {
        .name = QStringLiteral("阿木"),
        .sex = QStringLiteral("公的,帅哥"),
        .birth = QStringLiteral("08年8月诞生"),
        .from = QStringLiteral("地球村,中国"),
        .author = QStringLiteral("lanke42"),
        .remark = QStringLiteral("我天生比较聪明,只要你教过我的东西,我一定会记住的!"),
        .credits = QStringLiteral("8264097hds 和 yunxiaoke"),
    };
}
