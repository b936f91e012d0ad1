// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "common/GbkCodec.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

    // The one UTF-16 unit that exactly these bytes make, or nothing; incomplete says the bytes
    // are only the start of a character.
    std::optional<char16_t> single(QByteArrayView bytes, bool *incomplete = nullptr)
    {
        char16_t units[4];
        char *in = const_cast<char *>(bytes.data());
        size_t inLeft = size_t(bytes.size());
        char *out = reinterpret_cast<char *>(units);
        size_t outLeft = sizeof units;
        const bool converted = iconv(m_cd, &in, &inLeft, &out, &outLeft) != size_t(-1);
        if (incomplete)
            *incomplete = !converted && errno == EINVAL;
        if (!converted || inLeft != 0 || outLeft != sizeof units - sizeof(char16_t))
            return std::nullopt;
        return units[0];
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
// for the small conversions that follow one another.
Converter &threadToGbk()
{
    thread_local Converter toGbk("CP936", "UTF-16LE");
    return toGbk;
}

// Code page 936 as tables, taken from the C library's converter once. A byte below 0x80 is
// ASCII; a lead byte and the byte after it make one character or, when they make none, the lead
// byte is kept aside and the next one starts afresh; any other byte is a character alone or kept
// aside. That is all the converter does with this code page, and looking it up is several times
// faster than asking it (it goes through UCS-4 on the way): a big file decodes about as fast as
// it is read.
struct DecodeTables
{
    // Indexed by the byte minus 0x80.
    std::array<char16_t, 128> alone{};
    std::array<bool, 128> lead{};
    // The character a byte from 0x80 on and any byte after it make, or 0: always for a byte that
    // does not lead (indexed by the first byte minus 0x80, times 256, plus the second).
    std::array<char16_t, 128 * 256> pairs{};
};

constexpr char16_t rawByte(uchar byte)
{
    return char16_t(RawByteBase + byte);
}

// Widens the ASCII bytes at in to out, up to sixteen of them, stopping at the first other byte;
// returns how many, with a bit set in watched for each that equals one of the two watched bytes.
// It may write all sixteen units, so out must have room for them. Markers, separators, line
// ends and whole files of Latin text go this way.
int widenAscii(const uchar *in, char16_t *out, const uchar (&watch)[2], unsigned &watched)
{
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out + 8), _mm_unpackhi_epi8(bytes, zero));
    const unsigned high = unsigned(_mm_movemask_epi8(bytes));
    const int length = high == 0 ? 16 : std::countr_zero(high);
    watched = unsigned(_mm_movemask_epi8(
                  _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(char(watch[0]))),
                               _mm_cmpeq_epi8(bytes, _mm_set1_epi8(char(watch[1])))))) &
              ((1u << length) - 1);
    return length;
#else
    int length = 0;
    watched = 0;
    for (; length < 16 && in[length] < 0x80; ++length) {
        out[length] = in[length];
        if (in[length] == watch[0] || in[length] == watch[1])
            watched |= 1u << length;
    }
    return length;
#endif
}

const DecodeTables &decodeTables()
{
    static const DecodeTables tables = [] {
        DecodeTables t;
        Converter toUtf16("UTF-16LE", "CP936");
        for (int b = 0x80; b <= 0xff; ++b) {
            const char byte = char(b);
            bool incomplete = false;
            const std::optional<char16_t> alone =
                toUtf16.isOpen() ? toUtf16.single(QByteArrayView(&byte, 1), &incomplete)
                                 : std::nullopt;
            t.alone[b - 0x80] = alone.value_or(rawByte(uchar(b)));
            t.lead[b - 0x80] = incomplete;
            for (int second = 0; incomplete && second <= 0xff; ++second) {
                const char pair[] = {byte, char(second)};
                t.pairs[(b - 0x80) * 256 + second] =
                    toUtf16.single(QByteArrayView(pair, 2)).value_or(0);
            }
        }
        return t;
    }();
    return tables;
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

Decoder::Decoder(char watched, char alsoWatched) : m_watch{uchar(watched), uchar(alsoWatched)} {}

void Decoder::decode(QByteArrayView bytes, bool last, QString &text)
{
    const DecodeTables &tables = decodeTables();
    const qsizetype used = text.size();
    // At most one unit per byte, counting a lead byte the last piece ended in: never more than
    // the caller reserved for all the bytes.
    text.resize(used + bytes.size() + (m_lead >= 0 ? 1 : 0));
    char16_t *const begin = reinterpret_cast<char16_t *>(text.data()) + used;
    char16_t *out = begin;
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = in + bytes.size();

    if (m_lead >= 0 && (in < end || last)) {
        const char16_t pair = in < end ? tables.pairs[(m_lead - 0x80) * 256 + *in] : 0;
        *out++ = pair ? pair : rawByte(uchar(m_lead));
        in += pair ? 1 : 0;
        m_lead = -1;
    }
    while (in < end) {
        if (*in < 0x80) {
            unsigned watched = 0;
            int ascii = 1;
            if (end - in >= 16) {
                ascii = widenAscii(in, out, m_watch, watched);
            } else {
                // Fewer than sixteen bytes left: out may not have room for sixteen units.
                *out = *in;
                watched = *in == m_watch[0] || *in == m_watch[1] ? 1 : 0;
            }
            for (; watched != 0; watched &= watched - 1)
                m_watchedAt.append(used + (out - begin) + std::countr_zero(watched));
            in += ascii;
            out += ascii;
            continue;
        }
        const uchar byte = *in++;
        // Lead bytes make a character with most bytes after them; any other byte with none.
        // Chinese text is runs of such pairs: two at a time keep the processor busier.
        if (end - in >= 3 && in[1] >= 0x80) {
            const char16_t first = tables.pairs[(byte - 0x80) * 256 + in[0]];
            const char16_t second = tables.pairs[(in[1] - 0x80) * 256 + in[2]];
            if (first != 0 && second != 0) {
                out[0] = first;
                out[1] = second;
                out += 2;
                in += 3;
                continue;
            }
        }
        if (in < end) {
            if (const char16_t pair = tables.pairs[(byte - 0x80) * 256 + *in]) {
                *out++ = pair;
                ++in;
                continue;
            }
        } else if (!last && tables.lead[byte - 0x80]) {
            m_lead = byte;
            break;
        }
        // A character of one byte, or an invalid or truncated sequence: its first byte is kept
        // aside and the next one starts afresh, so a damaged file still loads as far as it is
        // readable.
        *out++ = tables.alone[byte - 0x80];
    }
    text.truncate(used + (out - begin));
}

std::optional<QByteArray> encode(QStringView text)
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
