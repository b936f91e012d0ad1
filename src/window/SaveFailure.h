// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// When Data.ait cannot be written at the end of teaching, the user decides the way out: stay in
// teaching mode and try again later, keep the work in a copy saved elsewhere, or give it up.

#include "common/Result.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

struct FrmMainSeams;

namespace SaveFailure {

enum class Choice
{
    Stay,
    SavedElsewhere, // and the user has been told where
    Discarded,
};

// Writes bytes to a path the way a save does (the window runs it on a worker).
using Writer = std::function<Status(const QString &path, const QByteArray &bytes)>;

// Shows the failure box for dataPath until the user settles on a way out. bytes are what the
// failed save would have written; without them there is nothing to save elsewhere.
Choice resolve(const FrmMainSeams &seams, const QString &dataPath, const QString &reason,
               const std::optional<QByteArray> &bytes, const Writer &write);

} // namespace SaveFailure
