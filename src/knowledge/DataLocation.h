#pragma once
// Where Data.ait lives: beside the executable, or, for an installed copy whose directory the
// user cannot write, in the user's application data directory.

#include <QString>

namespace DataLocation {

// The directory to keep Data.ait in, or an empty string when no usable place exists.
// appDataDir is the per-user fallback (created when needed).
QString choose(const QString &executableDir, const QString &appDataDir);

} // namespace DataLocation
