// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "common/TextRules.h"

#include <QList>
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

QString shown(const QString &character)
{
    const QList<uint> points = character.toUcs4();
    if (points.size() != 1)
        return character;
    const uint point = points.first();
    switch (QChar::category(char32_t(point))) {
    case QChar::Other_Format:
    case QChar::Other_Control:
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
        break;
    case QChar::Separator_Space:
        if (point == u' ')
            return character;
        break;
    default:
        return character;
    }
    return QStringLiteral("U+%1").arg(point, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace TextRules
