// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The teaching list's string order: Chinese by pinyin, case-insensitive, with symbols before
// digits, digits before Latin letters and Latin letters before Chinese.

#include <QByteArray>
#include <QString>
#include <QStringView>

struct UCollator;

class KeyCollator
{
public:
    KeyCollator();
    KeyCollator(const KeyCollator &other);
    KeyCollator &operator=(const KeyCollator &other);
    ~KeyCollator();

    // Negative, zero or positive as a sorts before, with or after b.
    int compare(QStringView a, QStringView b) const;
    int compare(const QString &a, const QString &b) const
    {
        return compare(QStringView(a), QStringView(b));
    }

    // A byte string whose plain byte order (strcmp) is the order of compare(); it ends in one
    // zero byte, the only zero it holds. For sorting many texts, where it is much cheaper than
    // comparing the texts themselves again and again.
    QByteArray sortKey(QStringView text) const;
    // The same key appended to buffer, which grows as needed, so that a bulk sort keeps all
    // its keys in one allocation.
    void appendSortKey(QStringView text, QByteArray &buffer) const;

private:
    UCollator *m_collator;
};
