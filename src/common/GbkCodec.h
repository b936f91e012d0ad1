// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Conversion between the program's text and GBK (code page 936), the encoding of every file
// the program reads or writes.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

namespace GbkCodec {

// Decodes GBK bytes; decoding never fails. A byte that is not valid GBK becomes a lone
// surrogate U+DC80 to U+DCFF, which encode() turns back into the same byte, so a damaged file
// is written back exactly as it was read.
QString decode(const QByteArray &bytes);

// Encodes text as GBK, or nothing when some character has no GBK form.
std::optional<QByteArray> encode(QStringView text);

// Decodes GBK that arrives in pieces, exactly as decode() decodes them joined: a character
// split between two pieces is finished with the second.
class Decoder
{
public:
    Decoder() = default;
    // A decoder that also notes where each of two ASCII characters lands in the text: for a
    // reader after a few separators in a big file, far cheaper than searching the text again.
    Decoder(char watched, char alsoWatched);

    // Appends the text of bytes to text; last says no piece follows. A caller that reserves
    // room in text for all the bytes to come keeps it from ever being copied.
    void decode(QByteArrayView bytes, bool last, QString &text);

    // Where the watched characters were decoded, as positions in text, in order; the caller
    // takes them away as it goes.
    QList<qsizetype> &watchedAt() { return m_watchedAt; }

private:
    int m_lead = -1; // the first byte of a character the last piece ended in
    // 0xff, which never stands for itself, watches nothing.
    uchar m_watch[2] = {0xff, 0xff};
    QList<qsizetype> m_watchedAt;
};

// Encodes many pieces in a row with one converter, each appended to a buffer the caller sizes.
class Encoder
{
public:
    Encoder();
    ~Encoder();
    Encoder(const Encoder &) = delete;
    Encoder &operator=(const Encoder &) = delete;

    // Appends the GBK form of text to gbk; false when some character has no GBK form (gbk then
    // holds part of the text).
    bool append(QStringView text, QByteArray &gbk);

private:
    struct Converter;
    std::unique_ptr<Converter> m_converter;
};

// True when every character of text can be written in GBK.
bool canEncode(const QString &text);

// The first character of text that GBK cannot hold, or an empty string.
QString firstUnencodable(const QString &text);

} // namespace GbkCodec
