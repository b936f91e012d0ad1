// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Damaged knowledge files and the teaching save: whatever bytes sit before a section marker,
// the save must put the table where the next load looks for it, keep the header and lists as
// they were, and lose nothing the user taught. However a file is cut into pieces as it is read,
// it reads the same.

#include "common/GbkCodec.h"
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

bool sameLists(const KnowledgeBase &a, const KnowledgeBase &b)
{
    return a.userName == b.userName && a.filterWords == b.filterWords &&
           a.dirtyReplies == b.dirtyReplies && a.randomQuestions == b.randomQuestions &&
           a.randomAnswers == b.randomAnswers && a.noAnswerReplies == b.noAnswerReplies &&
           a.welcomeMessages == b.welcomeMessages;
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
    void anyPiecesReadWhatOnePieceReads_data();
    void anyPiecesReadWhatOnePieceReads();
    void bigFilesLoadAcrossPieces_data();
    void bigFilesLoadAcrossPieces();
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
    // The load keeps what comes before the table, and the save writes the table, by encoding
    // what was decoded: that is only right when every pair of bytes, valid GBK or not, comes
    // back as it was read, however the file was cut into pieces.
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
            if (GbkCodec::encode(decoded) != pair || inPieces != decoded)
                different += pair.toHex();
        }
    }
    QCOMPARE(different, QList<QByteArray>());
}

void TestDamagedFiles::anyPiecesReadWhatOnePieceReads_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray file = eightMarkerFile();
    QTest::newRow("a damaged pair before the seventh marker") << beforeMarker(file, 7, "\xa1\xa0");
    QTest::newRow("a lead byte that takes the seventh marker's '['")
        << beforeMarker(file, 7, "\x81");
    QTest::newRow("a lone lead byte at the very end") << file + '\x81';
    QTest::newRow("cut inside the seventh marker")
        << file.left(beforeMarker(file, 7, "#").indexOf('#') + 4);
    QTest::newRow("cut inside the eighth marker") << file.left(file.lastIndexOf(Marker) + 5);
    QTest::newRow("a '[' at the very end") << file + '[';
    QTest::newRow("entries holding '[' and lists holding '|'") << *GbkCodec::encode(
        knowledgeText({u"[rob]\\哎[\\"_s, u"a[AI\\b\\"_s}, u"z[u"_s, {u"x"_s, u"y[AI_Da"_s}));
    QTest::newRow("saved as UTF-8") << knowledgeText({u"你好\\你好呀\\"_s}).toUtf8();
    QTest::newRow("the header alone") << "|zu|"_ba;
    QTest::newRow("no header") << QByteArray(300, '\0');
}

void TestDamagedFiles::anyPiecesReadWhatOnePieceReads()
{
    QFETCH(QByteArray, bytes);
    // Small enough to be decoded in one go when it comes in one piece.
    QVERIFY(bytes.size() < 4096);
    const Result<KnowledgeBase> whole = KnowledgeBase::parse(bytes);
    for (const qsizetype piece : {1, 2, 3, 4, 5, 7, 8, 9, 16, 17, 64, 1000}) {
        KnowledgeBase::Reader reader;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            reader.add(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
        const Result<KnowledgeBase> inPieces = reader.finish();
        const QByteArray cut = "pieces of " + QByteArray::number(piece);
        QVERIFY2(bool(inPieces) == bool(whole), cut.constData());
        QCOMPARE(inPieces.reason(), whole.reason());
        if (!whole)
            continue;
        QVERIFY2(sameLists(*inPieces, *whole), cut.constData());
        QCOMPARE(inPieces->keywordTable.toList(), whole->keywordTable.toList());
        QCOMPARE(inPieces->headBytes, whole->headBytes);
        // What comes before the table is kept exactly as it was read.
        QCOMPARE(inPieces->headBytes, bytes.left(inPieces->headBytes.size()));
    }
}

void TestDamagedFiles::bigFilesLoadAcrossPieces_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("lastWelcome");

    // A list long enough that the seventh marker, or a two-byte character before it, lies across
    // a boundary of the pieces the file is read in (1 MiB) or decoded in (64 KiB).
    const QByteArray file = eightMarkerFile();
    qsizetype seventh = -1;
    for (int i = 0; i < 7; ++i)
        seventh = file.indexOf(Marker, seventh + 1);
    // The last item of the last list ends in "啊" (b0 a1), five bytes before the marker.
    const qsizetype lastBar = file.lastIndexOf('|', seventh);
    for (const qsizetype boundary : {qsizetype(1) << 16, qsizetype(1) << 20}) {
        for (const int shift : {-9, -8, -5, -1, 0, 4, 5}) {
            const qsizetype padding = boundary - seventh + shift - 2;
            QByteArray bytes = file;
            bytes.insert(lastBar, QByteArray(padding, 'a') + "\xb0\xa1");
            QTest::addRow("seventh marker at %d from %lld", shift, qlonglong(boundary))
                << bytes << u"我是[rob]"_s + QString(padding, u'a') + u"啊"_s;
        }
    }
}

void TestDamagedFiles::bigFilesLoadAcrossPieces()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, lastWelcome);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Data.ait"_s);
    QVERIFY(KnowledgeFile::write(path, bytes));

    const KnowledgeFile::Loaded loaded = KnowledgeFile::load(path);
    QVERIFY2(loaded.knowledge, qPrintable(loaded.knowledge.reason()));
    QVERIFY(!loaded.looksUtf8);
    const KnowledgeBase &kb = *loaded.knowledge;
    QCOMPARE(kb.userName, u"zu"_s);
    QCOMPARE(kb.welcomeMessages, (QStringList{u"嗨!你好!"_s, lastWelcome}));
    QCOMPARE(withoutLineEnds(kb.keywordTable),
             (QStringList{u"你好\\你好呀\\"_s, u"再见\\拜拜\\"_s}));
    QCOMPARE(kb.headBytes, bytes.left(bytes.indexOf(Marker, bytes.size() / 2) + Marker.size()));
}

QTEST_GUILESS_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"
