// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/GbkCodec.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <utility>

namespace {

// One iconv conversion descriptor, closed when it goes out of scope.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (isOpen())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool isOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false when it stopped early at *in.
    bool run(const char *&in, size_t &inLeft, QByteArray &out)
    {
        while (inLeft > 0) {
            const qsizetype used = out.size();
            out.resize(used + qsizetype(inLeft) * 2 + 16);
            char *dst = out.data() + used;
            size_t dstLeft = size_t(out.size() - used);
            char *src = const_cast<char *>(in);
            const size_t rc = iconv(m_cd, &src, &inLeft, &dst, &dstLeft);
            in = src;
            out.resize(out.size() - qsizetype(dstLeft));
            if (rc == size_t(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

    // Converts into a buffer known to be big enough; false when it stopped at an invalid or
    // truncated sequence at in.
    bool convert(char *&in, size_t &inLeft, char *&out, size_t &outLeft)
    {
        return iconv(m_cd, &in, &inLeft, &out, &outLeft) != size_t(-1);
    }

private:
    iconv_t m_cd;
};

// Undecodable bytes travel as lone low surrogates, which no real text contains.
constexpr char16_t RawByteBase = 0xDC00;

bool isRawByte(QChar c)
{
    return c.unicode() >= RawByteBase + 0x80 && c.unicode() <= RawByteBase + 0xFF;
}

// Encodes text into gbk; returns -1, or the index of the first character GBK cannot hold.
qsizetype encodeInto(Converter &toGbk, QStringView text, QByteArray &gbk)
{
    if (!toGbk.isOpen())
        return 0;
    const char *const begin = reinterpret_cast<const char *>(text.utf16());
    qsizetype from = 0;
    for (;;) {
        qsizetype to = from;
        while (to < text.size() && !isRawByte(text.at(to)))
            ++to;
        const char *in = begin + from * 2;
        size_t inLeft = size_t(to - from) * 2;
        if (!toGbk.run(in, inLeft, gbk))
            return (in - begin) / 2;
        if (to == text.size())
            return -1;
        gbk.append(char(text.at(to).unicode() - RawByteBase));
        from = to + 1;
    }
}

// Opening a converter costs about as much as converting a few kilobytes; each thread keeps one
// of each for the small conversions that follow one another.
Converter &threadToGbk()
{
    thread_local Converter toGbk("CP936", "UTF-16LE");
    return toGbk;
}

Converter &threadToUtf16()
{
    thread_local Converter toUtf16("UTF-16LE", "CP936");
    return toUtf16;
}

qsizetype encodeInto(QStringView text, QByteArray &gbk)
{
    return encodeInto(threadToGbk(), text, gbk);
}

} // namespace

namespace GbkCodec {

struct Encoder::Converter : ::Converter
{
    Converter() : ::Converter("CP936", "UTF-16LE") {}
};

Encoder::Encoder() : m_converter(std::make_unique<Converter>()) {}

Encoder::~Encoder() = default;

bool Encoder::append(QStringView text, QByteArray &gbk)
{
    return encodeInto(*m_converter, text, gbk) < 0;
}

QString decode(const QByteArray &bytes)
{
    // Every GBK character is one or two bytes and becomes one UTF-16 unit, so the text fits in
    // as many units as there are bytes; the pages it leaves unused are never touched.
    QString text;
    text.reserve(bytes.size());
    Decoder().decode(bytes, true, text);
    text.squeeze();
    return text;
}

void Decoder::decode(QByteArrayView bytes, bool last, QString &text)
{
    QByteArray joined;
    if (!m_pending.isEmpty()) {
        joined = std::exchange(m_pending, {});
        joined.append(bytes);
        bytes = joined;
    }
    const qsizetype used = text.size();
    Converter &toUtf16 = threadToUtf16();
    if (!toUtf16.isOpen()) {
        text += QString::fromLatin1(bytes);
        return;
    }
    text.resize(used + bytes.size());
    char16_t *const begin = reinterpret_cast<char16_t *>(text.data()) + used;
    char *out = reinterpret_cast<char *>(begin);
    size_t outLeft = size_t(bytes.size()) * 2;
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        if (toUtf16.convert(in, inLeft, out, outLeft))
            break;
        if (errno == EINVAL && !last) {
            m_pending = QByteArray(in, qsizetype(inLeft));
            break;
        }
        // An invalid or truncated sequence: keep its first byte aside and go on with the next,
        // so a damaged file still loads as far as it is readable.
        const char16_t raw = RawByteBase + uchar(*in);
        std::memcpy(out, &raw, sizeof raw);
        out += sizeof raw;
        outLeft -= sizeof raw;
        ++in;
        --inLeft;
    }
    text.truncate(used + (reinterpret_cast<char16_t *>(out) - begin));
}

qsizetype encodedSize(QStringView decoded)
{
    // Code page 936 gives the euro sign the single byte 0x80.
    constexpr char16_t Euro = 0x20AC;
    qsizetype size = 0;
    for (const QChar c : decoded)
        size += c.unicode() < 0x80 || c.unicode() == Euro || isRawByte(c) ? 1 : 2;
    return size;
}

std::optional<QByteArray> encode(const QString &text)
{
    QByteArray gbk;
    if (encodeInto(text, gbk) >= 0)
        return std::nullopt;
    return gbk;
}

bool canEncode(const QString &text)
{
    return firstUnencodable(text).isEmpty();
}

QString firstUnencodable(const QString &text)
{
    QByteArray sink;
    const qsizetype at = encodeInto(text, sink);
    if (at < 0)
        return {};
    const bool pair = at + 1 < text.size() && text.at(at).isHighSurrogate();
    return text.mid(at, pair ? 2 : 1);
}

} // namespace GbkCodec
