// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Damaged knowledge files and the teaching save: whatever bytes sit before a section marker,
// the save must put the table where the next load looks for it, keep the header and lists as
// they were, and lose nothing the user taught.

#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "support/SmallKnowledge.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Marker = "[AI_Dat]"_ba;
const QString Taught = u"新词\\新的回复\\"_s;

// A file with two entries and, after them, an eighth marker whose tail no load uses.
QByteArray eightMarkerFile()
{
    return *GbkCodec::encode(knowledgeText({u"你好\\你好呀\\"_s, u"再见\\拜拜\\"_s}) +
                             u"[AI_Dat]\r\n|尾巴\\不用\\\r\n"_s);
}

// bytes with insert placed just before the n-th marker (counted from 1).
QByteArray beforeMarker(QByteArray bytes, int n, const QByteArray &insert)
{
    qsizetype at = -1;
    for (int i = 0; i < n; ++i)
        at = bytes.indexOf(Marker, at + 1);
    return bytes.insert(at, insert);
}

QStringList withoutLineEnds(const KeywordTable &entries)
{
    QStringList out;
    for (const QStringView entry : entries)
        out += KnowledgeEntry::withoutLineEnd(entry).toString();
    return out;
}

} // namespace

class TestDamagedFiles : public QObject
{
    Q_OBJECT

private slots:
    void saveReloadKeepsEverything_data();
    void saveReloadKeepsEverything();
    void everyBytePairReadsBackAsItWas();
    void loadingInPiecesReadsWhatParsingReads_data();
    void loadingInPiecesReadsWhatParsingReads();
};

void TestDamagedFiles::saveReloadKeepsEverything_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray file = eightMarkerFile();
    // The cases a fuzzer found: a pair the decoder refuses, one it pairs across the marker's
    // "[", and a lone lead byte before the seventh and the unused eighth marker.
    QTest::newRow("a3 before the 7th marker") << beforeMarker(file, 7, "\xa3");
    QTest::newRow("a1 a0 before the 7th marker") << beforeMarker(file, 7, "\xa1\xa0");
    QTest::newRow("a1 a0 before the 8th marker") << beforeMarker(file, 8, "\xa1\xa0");
    QTest::newRow("a3 before the 8th marker") << beforeMarker(file, 8, "\xa3");

    // Every lead byte, alone and with the trail bytes at the edges of the ranges, before the
    // first list, the last list, the table and the unused eighth marker.
    const QByteArray followers[] = {{}, "\x40", "\x7f", "\x80", "\xa0", "\xfe", "\xff"};
    for (int marker : {1, 6, 7, 8}) {
        for (int lead = 0x81; lead <= 0xfe; ++lead) {
            for (const QByteArray &follower : followers) {
                const QByteArray insert = char(lead) + follower;
                QTest::addRow("%s before marker %d", insert.toHex(' ').constData(), marker)
                    << beforeMarker(file, marker, insert);
            }
        }
    }
}

void TestDamagedFiles::saveReloadKeepsEverything()
{
    QFETCH(QByteArray, bytes);
    const Result<KnowledgeBase> loaded = KnowledgeBase::parse(bytes);
    // A byte that hides a marker can only leave too few of them, which the load refuses in
    // words: nothing can be taught, so nothing is lost.
    if (!loaded) {
        QVERIFY2(loaded.reason().contains(u"[AI_Dat]"_s), qPrintable(loaded.reason()));
        return;
    }

    const KeywordTable entries = KeywordTable::fromEntries(loaded->keywordTable.toList()
                                                           << KnowledgeEntry::withLineEnd(Taught));
    const Result<QByteArray> saved = KnowledgeFile::teachingSaveBytes(*loaded, entries);
    QVERIFY2(saved, qPrintable(saved.reason()));

    // Header and lists come back byte for byte.
    QCOMPARE(saved->left(loaded->headBytes.size()), bytes.left(loaded->headBytes.size()));

    const Result<KnowledgeBase> reloaded = KnowledgeBase::parse(*saved);
    QVERIFY2(reloaded, qPrintable(reloaded.reason()));
    QCOMPARE(withoutLineEnds(reloaded->keywordTable), withoutLineEnds(entries));
    QCOMPARE(reloaded->userName, loaded->userName);
    QCOMPARE(reloaded->filterWords, loaded->filterWords);
    QCOMPARE(reloaded->dirtyReplies, loaded->dirtyReplies);
    QCOMPARE(reloaded->randomQuestions, loaded->randomQuestions);
    QCOMPARE(reloaded->randomAnswers, loaded->randomAnswers);
    QCOMPARE(reloaded->noAnswerReplies, loaded->noAnswerReplies);
    QCOMPARE(reloaded->welcomeMessages, loaded->welcomeMessages);

    // A second save of what came back writes the very same file.
    const Result<QByteArray> again =
        KnowledgeFile::teachingSaveBytes(*reloaded, reloaded->keywordTable);
    QVERIFY(again);
    QCOMPARE(*again, *saved);
}

void TestDamagedFiles::everyBytePairReadsBackAsItWas()
{
    // The save finds the table by measuring what the load decoded before it, and writes it back
    // by encoding: that is only right when every pair of bytes, valid GBK or not, comes back as
    // it was read, and is measured as long as it was.
    QList<QByteArray> different;
    for (int lead = 0x00; lead <= 0xff; ++lead) {
        for (int trail = 0x00; trail <= 0xff; ++trail) {
            const QByteArray pair = QByteArray(1, char(lead)) + char(trail) + '[';
            const QString decoded = GbkCodec::decode(pair);
            // The same bytes arriving one at a time, as a file read in pieces may split them.
            QString inPieces;
            GbkCodec::Decoder decoder;
            for (const char byte : pair)
                decoder.decode(QByteArrayView(&byte, 1), false, inPieces);
            decoder.decode({}, true, inPieces);
            if (GbkCodec::encode(decoded) != pair ||
                GbkCodec::encodedSize(decoded) != pair.size() || inPieces != decoded)
                different += pair.toHex();
        }
    }
    QCOMPARE(different, QList<QByteArray>());
}

void TestDamagedFiles::loadingInPiecesReadsWhatParsingReads_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("a small damaged file") << beforeMarker(eightMarkerFile(), 7, "\xa1\xa0");
    QTest::newRow("a lone lead byte at the very end") << eightMarkerFile() + '\x81';
    // A list long enough that the file is read in several pieces, with the seventh marker or a
    // two-byte character lying across the end of the first piece.
    const QByteArray file = eightMarkerFile();
    const qsizetype firstPiece = qsizetype(1) << 20;
    qsizetype seventh = -1;
    for (int i = 0; i < 7; ++i)
        seventh = file.indexOf(Marker, seventh + 1);
    // The last item of the last list ends in "啊", five bytes before the marker.
    const qsizetype lastBar = file.lastIndexOf('|', seventh);
    for (const int shift : {-9, -8, -5, -1, 0, 4, 5}) {
        QByteArray bytes = file;
        bytes.insert(lastBar, QByteArray(firstPiece - seventh + shift - 2, 'a') + "\xb0\xa1");
        QTest::addRow("seventh marker at %d from a piece's end", shift) << bytes;
    }
}

void TestDamagedFiles::loadingInPiecesReadsWhatParsingReads()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Data.ait"_s);
    QVERIFY(KnowledgeFile::write(path, bytes));

    const Result<KnowledgeBase> parsed = KnowledgeBase::parse(bytes);
    const Result<KnowledgeBase> loaded = KnowledgeFile::load(path);
    QVERIFY2(parsed && loaded, qPrintable(parsed.reason() + loaded.reason()));
    QCOMPARE(loaded->userName, parsed->userName);
    QCOMPARE(loaded->filterWords, parsed->filterWords);
    QCOMPARE(loaded->welcomeMessages, parsed->welcomeMessages);
    QVERIFY(loaded->welcomeMessages.last().endsWith(u"啊"_s) || bytes.size() < 1000);
    QCOMPARE(loaded->keywordTable.toList(), parsed->keywordTable.toList());
    QCOMPARE(loaded->headBytes, parsed->headBytes);
}

QTEST_GUILESS_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"
