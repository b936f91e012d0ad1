// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "common/TextRules.h"

#include <algorithm>

namespace TextRules {

QString normalise(const QString &typed)
{
    return QString(typed).remove(u' ').toLower();
}

bool isBlank(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

} // namespace TextRules
