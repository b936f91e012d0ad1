// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Conversion between the program's text and GBK (code page 936), the encoding of every file
// the program reads or writes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

namespace GbkCodec {

// Decodes GBK bytes; decoding never fails. A byte that is not valid GBK becomes a lone
// surrogate U+DC80 to U+DCFF, which encode() turns back into the same byte, so a damaged file
// is written back exactly as it was read.
QString decode(const QByteArray &bytes);

// How many bytes decoded text came from, without encoding it again: one for each ASCII
// character, the euro sign and each byte kept aside, two for every other character.
qsizetype encodedSize(QStringView decoded);

// Encodes text as GBK, or nothing when some character has no GBK form.
std::optional<QByteArray> encode(const QString &text);

// Decodes GBK that arrives in pieces, exactly as decode() decodes them joined: a character
// split between two pieces is finished with the second.
class Decoder
{
public:
    // Appends the text of bytes to text; last says no piece follows. A caller that reserves
    // room in text for all the bytes to come keeps it from ever being copied.
    void decode(QByteArrayView bytes, bool last, QString &text);

private:
    QByteArray m_pending; // the start of a character the last piece ended in
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
