// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The threads the program's own long work runs on (loading, preparing teaching, saving, building
// the reply index). Not Qt's global pool: Qt paints on that one too, and the window's thread
// waits for a free thread of it while painting, so two long jobs there could hold up the window.

#include <QThreadPool>

namespace WorkPool {

inline QThreadPool &instance()
{
    static QThreadPool pool;
    return pool;
}

} // namespace WorkPool
