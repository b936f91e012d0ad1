// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/SaidLine.h"

#include <QLocale>

namespace SaidLine {

QString bounded(const QString &text)
{
    if (text.size() <= LongestLine)
        return text;
    // Never half of a character that takes two code units.
    qsizetype cut = LongestLine;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    const QLocale numbers(QLocale::Chinese, QLocale::China);
    return text.left(cut) +
           QStringLiteral("……（这条回复太长，只说了前 %1 字，后面的 %2 字略去了。）")
               .arg(numbers.toString(cut), numbers.toString(text.size() - cut));
}

} // namespace SaidLine
