// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "console/ConsoleInput.h"

#include <QStringDecoder>
#include <cstdlib>
#include <sys/types.h>

namespace ConsoleInput {

QString decode(QByteArrayView bytes, FILE *err, qint64 number)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        std::fprintf(
            err, "miaoyutong-console：第 %lld 行有不是 UTF-8 的字节，已经换成“\xEF\xBF\xBD”。\n",
            static_cast<long long>(number));
    }
    return text;
}

LineReader::~LineReader()
{
    std::free(m_buffer);
}

std::optional<QString> LineReader::next(FILE *err, qint64 number)
{
    ssize_t length = ::getline(&m_buffer, &m_capacity, m_in);
    if (length < 0)
        return std::nullopt;
    if (length > 0 && m_buffer[length - 1] == '\n')
        --length;
    if (length > 0 && m_buffer[length - 1] == '\r')
        --length;
    return decode(QByteArrayView(m_buffer, length), err, number);
}

} // namespace ConsoleInput
