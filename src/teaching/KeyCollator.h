// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The teaching list's string order: Chinese by pinyin, case-insensitive, with symbols before
// digits, digits before Latin letters and Latin letters before Chinese.

#include <QByteArray>
#include <QString>
#include <QStringView>

struct UCollator;

// Every KeyCollator orders alike. One is made ready on its first comparison, on the thread
// that compares: the window makes its teaching list at start-up, and parsing the pinyin rules
// (a tenth of a second, once per process) waits until a list is first sorted, on a worker.
// Copying one therefore copies nothing; the copy readies itself where it is used.
class KeyCollator
{
public:
    KeyCollator() = default;
    KeyCollator(const KeyCollator &) {}
    KeyCollator &operator=(const KeyCollator &) { return *this; }
    ~KeyCollator();

    // Negative, zero or positive as a sorts before, with or after b.
    int compare(QStringView a, QStringView b) const;
    int compare(const QString &a, const QString &b) const
    {
        return compare(QStringView(a), QStringView(b));
    }

    // The first sixteen bytes of text's sort key, as two numbers in byte order. For sorting
    // many texts: where two starts differ, they order the texts as compare() does, at a
    // fraction of its cost; equal starts leave it to compare(). Sixteen bytes a text instead of
    // whole keys keep a sort of a million entries small.
    struct KeyStart
    {
        quint64 high = 0;
        quint64 low = 0;
        friend auto operator<=>(const KeyStart &, const KeyStart &) = default;
    };
    KeyStart sortKeyStart(QStringView text) const;

private:
    const UCollator *ready() const;

    // Not shared between threads, as no ICU collator may be: made on first use.
    mutable UCollator *m_collator = nullptr;
};
