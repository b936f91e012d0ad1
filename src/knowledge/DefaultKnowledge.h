// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The knowledge the robot starts with, carried inside the executable.

#include <QByteArray>

namespace DefaultKnowledge {

// The default knowledge as GBK text with CR LF line ends, beginning with the first marker
// and ending with the line end of the last keyword entry.
QByteArray bytes();

} // namespace DefaultKnowledge
