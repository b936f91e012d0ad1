// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Lines as the console takes them in: UTF-8, whatever their length, with bytes that are not
// UTF-8 replaced and reported rather than ending the run.

#include <QByteArrayView>
#include <QString>
#include <cstdio>
#include <optional>

namespace ConsoleInput {

// The text of one line's bytes. Bytes that are not UTF-8 become U+FFFD, and err is told the
// line's number.
QString decode(QByteArrayView bytes, FILE *err, qint64 number);

// Reads a stream line by line; the line end (LF, or CR LF) is not part of a line.
class LineReader
{
public:
    explicit LineReader(FILE *in) : m_in(in) {}
    ~LineReader();
    LineReader(const LineReader &) = delete;
    LineReader &operator=(const LineReader &) = delete;

    // The next line, numbered number for a report of bad bytes; nothing at the end.
    std::optional<QString> next(FILE *err, qint64 number);

private:
    FILE *m_in;
    char *m_buffer = nullptr;
    size_t m_capacity = 0;
};

} // namespace ConsoleInput
