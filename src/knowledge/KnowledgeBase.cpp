// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "knowledge/KnowledgeBase.h"

#include "common/GbkCodec.h"
#include "knowledge/KnowledgeFormat.h"

#include <algorithm>
#include <cstring>
#include <optional>

using namespace KnowledgeFormat;

namespace {

const char16_t *const ListNames[ListCount] = {
    u"过滤词", u"说脏话回复", u"随机提问", u"随机回答", u"无答案回复", u"欢迎语",
};

// The pieces of text between its first separator and its last. A list section is a title line
// between line ends, then |item|item|...| and a line end; an entry is key\reply\...\ and a
// line end.
QStringList innerPieces(QStringView text, QChar separator)
{
    const QList<QStringView> pieces = text.split(separator);
    QStringList items;
    for (qsizetype i = 1; i + 1 < pieces.size(); ++i)
        items.append(pieces.at(i).toString());
    return items;
}

bool allAscii8(const uchar *bytes)
{
    quint64 eight;
    std::memcpy(&eight, bytes, sizeof eight);
    return (eight & 0x8080808080808080u) == 0;
}

// Whether bytes arriving in pieces are valid UTF-8 (no overlong forms, no surrogates, nothing
// above U+10FFFF) and hold a character of more than one byte. Between pieces it remembers only
// how many continuation bytes the character under way still needs and which the next may be.
class Utf8Check
{
public:
    void add(QByteArrayView bytes)
    {
        const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
        const uchar *const end = in + bytes.size();
        while (m_valid && in < end) {
            if (m_needed == 0) {
                while (end - in >= 8 && allAscii8(in))
                    in += 8;
                if (in == end)
                    break;
                start(*in++);
                continue;
            }
            const uchar byte = *in++;
            m_valid = byte >= m_low && byte <= m_high;
            --m_needed;
            m_low = 0x80;
            m_high = 0xbf;
        }
    }

    bool looksUtf8() const { return m_valid && m_needed == 0 && m_multiByte; }

private:
    void start(uchar lead)
    {
        if (lead < 0x80)
            return;
        m_multiByte = true;
        // The second byte's range rules out overlong forms, surrogates and code points above
        // U+10FFFF; the bytes after it are any continuation byte.
        if (lead >= 0xc2 && lead <= 0xdf)
            expect(1, 0x80, 0xbf);
        else if (lead == 0xe0)
            expect(2, 0xa0, 0xbf);
        else if (lead == 0xed)
            expect(2, 0x80, 0x9f);
        else if (lead >= 0xe1 && lead <= 0xef)
            expect(2, 0x80, 0xbf);
        else if (lead == 0xf0)
            expect(3, 0x90, 0xbf);
        else if (lead >= 0xf1 && lead <= 0xf3)
            expect(3, 0x80, 0xbf);
        else if (lead == 0xf4)
            expect(3, 0x80, 0x8f);
        else
            m_valid = false;
    }

    void expect(int needed, uchar low, uchar high)
    {
        m_needed = needed;
        m_low = low;
        m_high = high;
    }

    bool m_valid = true;
    bool m_multiByte = false;
    int m_needed = 0;
    uchar m_low = 0x80;
    uchar m_high = 0xbf;
};

} // namespace

struct KnowledgeBase::Reader::State
{
    QString text;
    // Notes each bar and each marker's first character as it decodes them.
    GbkCodec::Decoder decoder{char(ItemSeparator.unicode()), MarkerText[0]};
    Utf8Check utf8;
    // Where each marker begins, up to the eighth, which ends the table: nothing after it is
    // decoded.
    QList<qsizetype> markers;
    // The header's first two bars, before the first marker: the user's name lies between them.
    QList<qsizetype> headerBars;
    // Where each entry of the table begins: just after a bar.
    QList<quint32> entryStarts;
    bool finished = false;

    bool tableClosed() const { return markers.size() > TableSection; }
    qsizetype sectionStart(int i) const { return i == 0 ? 0 : markers.at(i - 1) + Marker.size(); }
    qsizetype sectionEnd(int i) const { return i < markers.size() ? markers.at(i) : text.size(); }

    // Goes through the bars and '[' decoded since the last time, in order. A '[' too near the
    // end of the text to tell whether a marker begins there waits for more, unless none comes.
    // The lists' bars are left to finish(): their sections are short.
    void scan(bool last)
    {
        QList<qsizetype> &found = decoder.watchedAt();
        const QStringView all(text);
        qsizetype i = 0;
        for (; i < found.size() && !tableClosed(); ++i) {
            const qsizetype at = found.at(i);
            if (all.at(at) != ItemSeparator) {
                if (!last && all.size() - at < Marker.size())
                    break;
                if (all.sliced(at).startsWith(Marker))
                    markers.append(at);
            } else if (markers.isEmpty() && headerBars.size() < 2) {
                headerBars.append(at);
            } else if (markers.size() == TableSection) {
                entryStarts.append(quint32(at + 1));
            }
        }
        found.remove(0, i);
    }
};

KnowledgeBase::Reader::Reader(qsizetype expectedBytes) : m_state(std::make_unique<State>())
{
    // Every GBK character is one or two bytes and becomes one UTF-16 unit, so the text fits in
    // as many units as there are bytes; the pages it leaves unused are never touched.
    m_state->text.reserve(expectedBytes);
}

KnowledgeBase::Reader::~Reader() = default;

void KnowledgeBase::Reader::add(QByteArrayView piece)
{
    State &s = *m_state;
    s.utf8.add(piece);
    // A slice at a time: the positions noted wait in a short list, and decoding stops soon
    // after the table's end.
    constexpr qsizetype SliceBytes = 1 << 16;
    for (qsizetype at = 0; at < piece.size() && !s.tableClosed(); at += SliceBytes) {
        s.decoder.decode(piece.sliced(at, std::min(SliceBytes, piece.size() - at)), false, s.text);
        s.scan(false);
    }
}

bool KnowledgeBase::Reader::looksUtf8() const
{
    return m_state->finished && m_state->utf8.looksUtf8();
}

Result<KnowledgeBase> KnowledgeBase::Reader::finish()
{
    using Outcome = Result<KnowledgeBase>;
    State &s = *m_state;
    s.finished = true;
    if (!s.tableClosed()) {
        s.decoder.decode({}, true, s.text);
        s.scan(true);
    }
    if (s.text.isEmpty())
        return Outcome::failure(QStringLiteral("文件是空的，里面没有任何内容。"));
    if (s.headerBars.size() < 2)
        return Outcome::failure(QStringLiteral("文件开头缺少用户名行（应为“|名字|”）。"));
    KnowledgeBase kb;
    const QStringView all(s.text);
    kb.userName =
        all.sliced(s.headerBars.at(0) + 1, s.headerBars.at(1) - s.headerBars.at(0) - 1).toString();

    if (s.markers.size() < TableSection) {
        return Outcome::failure(
            QStringLiteral("文件里只有 %1 个“[AI_Dat]”分段标记，至少需要 7 个。")
                .arg(s.markers.size()));
    }
    QStringList *lists[ListCount] = {&kb.filterWords,   &kb.dirtyReplies,    &kb.randomQuestions,
                                     &kb.randomAnswers, &kb.noAnswerReplies, &kb.welcomeMessages};
    for (int i = 0; i < ListCount; ++i) {
        const qsizetype start = s.sectionStart(i + 1);
        *lists[i] = innerPieces(all.sliced(start, s.sectionEnd(i + 1) - start), ItemSeparator);
        if (lists[i]->isEmpty()) {
            return Outcome::failure(QStringLiteral("第 %1 段（%2）没有任何条目。")
                                        .arg(i + 1)
                                        .arg(QString::fromUtf16(ListNames[i])));
        }
    }

    // The save writes everything up to the table back as the bytes it was read from. Every
    // byte decodes to text that encodes back to that very byte, damaged or not, so the head is
    // encoded again rather than kept as read: the bytes of a file without markers would all be
    // kept beside its text.
    std::optional<QByteArray> head = GbkCodec::encode(all.first(s.sectionStart(TableSection)));
    if (!head)
        return Outcome::failure(QStringLiteral("文件开头有无法原样读回的内容。"));
    kb.headBytes = *std::move(head);

    // The table section is the text before the first bar; the entries follow, each keeping its
    // line end, the last one whatever trails it. Anything after an eighth marker is not read.
    const qsizetype tableEnd = s.sectionEnd(TableSection);
    s.text.truncate(tableEnd);
    s.text.squeeze();
    kb.keywordTable = KeywordTable(std::move(s.text), std::move(s.entryStarts), tableEnd);
    return kb;
}

Result<KnowledgeBase> KnowledgeBase::parse(const QByteArray &bytes)
{
    Reader reader(bytes.size());
    reader.add(bytes);
    return reader.finish();
}

namespace KnowledgeEntry {

QStringView key(QStringView entry)
{
    const qsizetype slash = entry.indexOf(ReplySeparator);
    return slash < 0 ? entry : entry.left(slash);
}

QStringList replies(QStringView entry)
{
    return innerPieces(entry, ReplySeparator);
}

QStringView withoutLineEnd(QStringView entry)
{
    // A file edited elsewhere may end its lines with a bare LF.
    if (entry.endsWith(LineEnd))
        return entry.chopped(2);
    return entry.endsWith(u'\n') ? entry.chopped(1) : entry;
}

QString withLineEnd(const QString &entryText)
{
    return entryText + LineEnd;
}

} // namespace KnowledgeEntry

namespace KnowledgeFormat {

bool holdsMarker(QStringView text)
{
    return text.contains(Marker);
}

} // namespace KnowledgeFormat
