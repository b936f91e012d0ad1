// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The knowledge file: how its text splits into lists and entries, what a first-run file and a
// teaching save look like on disk, and how damaged files are refused.

#include "knowledge/DataLocation.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray gbk(const QString &text)
{
    return *GbkCodec::encode(text);
}

// A small but complete file: header, six one-line lists, and a table.
QString smallFile(const QString &table)
{
    QString text = QStringLiteral("|zu|\r\n");
    const char16_t *lists[] = {u"|fuck|shit|",   u"|表说粗话好吗——|", u"|你还好吧？|",
                               u"|今天是[day]|", u"|听不懂|",         u"|嗨!你好!|"};
    for (const char16_t *list : lists)
        text += QStringLiteral("[AI_Dat]\r\n标题\r\n") + QString::fromUtf16(list) +
                QStringLiteral("\r\n");
    return text + QStringLiteral("[AI_Dat]\r\n") + table;
}

} // namespace

class TestKnowledgeFile : public QObject
{
    Q_OBJECT

private slots:
    void splitsListsAndEntries();
    void nameEndsAtFirstBar();
    void eighthMarkerIsKeptButUnused();
    void refusesMalformedFiles_data();
    void refusesMalformedFiles();
    void invalidGbkLoadsWithoutCrashing();
    void firstRunFileLayout_data();
    void firstRunFileLayout();
    void firstRunRefusesNamesGbkCannotHold();
    void teachingSaveLayout_data();
    void teachingSaveLayout();
    void teachingSaveKeepsHeaderAndListsByteForByte();
    void teachingSaveNamesWhatGbkCannotHold();
    void writeReplacesAtomicallyAndHonoursReadOnly();
    void dataLocationFallsBackWhenExecutableDirIsUnusable();
};

void TestKnowledgeFile::splitsListsAndEntries()
{
    const Result<KnowledgeBase> parse =
        KnowledgeBase::parse(gbk(smallFile(QStringLiteral("|hi\\r1\\r2\\\r\n|bye\\88\\\r\n"))));
    QVERIFY2(parse, qPrintable(parse.reason()));
    const KnowledgeBase &kb = *parse;
    QCOMPARE(kb.userName, QStringLiteral("zu"));
    // The title line and the line ends around the bars are not items.
    QCOMPARE(kb.filterWords, (QStringList{u"fuck"_qs, u"shit"_qs}));
    QCOMPARE(kb.entryCount(), 2);
    QCOMPARE(kb.keywordTable.at(0), QStringLiteral("hi\\r1\\r2\\\r\n"));
    QCOMPARE(KnowledgeEntry::replies(kb.keywordTable.at(0)), (QStringList{u"r1"_qs, u"r2"_qs}));
    QCOMPARE(KnowledgeEntry::key(kb.keywordTable.at(1)).toString(), QStringLiteral("bye"));
}

void TestKnowledgeFile::nameEndsAtFirstBar()
{
    const auto bytes = KnowledgeFile::firstRunBytes(QStringLiteral("a|b"));
    QVERIFY(bytes);
    QVERIFY(bytes->startsWith("|a|b|\r\n"));
    const Result<KnowledgeBase> parse = KnowledgeBase::parse(*bytes);
    QVERIFY(parse);
    QCOMPARE(parse->userName, QStringLiteral("a"));
}

void TestKnowledgeFile::eighthMarkerIsKeptButUnused()
{
    const QByteArray bytes = gbk(smallFile(QStringLiteral("|a\\1\\\r\n[AI_Dat]tail")));
    const Result<KnowledgeBase> parse = KnowledgeBase::parse(bytes);
    QVERIFY(parse);
    // The table ends at the eighth marker: what follows it is no entry.
    QCOMPARE(parse->keywordTable.toList(), QStringList{u"a\\1\\\r\n"_qs});

    const auto saved = KnowledgeFile::teachingSaveBytes(*parse, parse->keywordTable);
    QVERIFY(saved);
    QVERIFY(!saved->contains("tail"));
    QVERIFY(saved->endsWith("[AI_Dat]\r\n|a\\1\\\r\n"));
}

void TestKnowledgeFile::refusesMalformedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reasonHolds");

    QTest::newRow("zero length") << QByteArray() << QStringLiteral("空");
    QTest::newRow("no header bars")
        << gbk(smallFile({}).replace(QStringLiteral("|zu|"), QStringLiteral("zu")))
        << QStringLiteral("用户名");
    QTest::newRow("six markers") << gbk(smallFile({}).section(QStringLiteral("[AI_Dat]"), 0, 6))
                                 << QStringLiteral("6 个");
    QTest::newRow("a list without items")
        << gbk(smallFile({}).replace(QStringLiteral("|听不懂|"), QStringLiteral("听不懂")))
        << QStringLiteral("无答案回复");
}

void TestKnowledgeFile::refusesMalformedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reasonHolds);
    const Result<KnowledgeBase> parse = KnowledgeBase::parse(bytes);
    QVERIFY(!parse);
    QVERIFY2(parse.reason().contains(reasonHolds), qPrintable(parse.reason()));
}

void TestKnowledgeFile::invalidGbkLoadsWithoutCrashing()
{
    QByteArray bytes = gbk(smallFile(QStringLiteral("|hi\\r1\\\r\n")));
    bytes.replace("r1", "\x81\x20\xff");
    bytes.append('\x81'); // a lead byte cut off by the end of the file
    const Result<KnowledgeBase> parse = KnowledgeBase::parse(bytes);
    QVERIFY(parse);
    QCOMPARE(KnowledgeEntry::key(parse->keywordTable.at(0)).toString(), QStringLiteral("hi"));
    // Written back, the damaged bytes come out exactly as they went in.
    QCOMPARE(GbkCodec::encode(GbkCodec::decode(bytes)), std::optional<QByteArray>(bytes));
    const auto saved = KnowledgeFile::teachingSaveBytes(*parse, parse->keywordTable);
    QVERIFY(saved);
    QVERIFY(saved->contains("|hi\\\x81\x20\xff\\\r\n"));
}

void TestKnowledgeFile::firstRunFileLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("张三");
    QTest::newRow("spaces kept") << QStringLiteral("  li si ");
    QTest::newRow("default") << QStringLiteral("无名人士");
}

void TestKnowledgeFile::firstRunFileLayout()
{
    QFETCH(QString, name);
    const auto bytes = KnowledgeFile::firstRunBytes(name);
    QVERIFY(bytes);
    QVERIFY(bytes->startsWith(gbk(u'|' + name + QStringLiteral("|\r\n[AI_Dat]\r\n过滤词："))));
    // The last entry keeps the extra line end that the first run adds.
    QVERIFY(bytes->endsWith("\\\r\n\r\n"));
    QCOMPARE(bytes->count("\n"), bytes->count("\r\n"));
    QCOMPARE(GbkCodec::decode(*bytes).count(QStringLiteral("[AI_Dat]")), 7);

    const Result<KnowledgeBase> parse = KnowledgeBase::parse(*bytes);
    QVERIFY2(parse, qPrintable(parse.reason()));
    QCOMPARE(parse->userName, name);
    QCOMPARE(parse->welcomeMessages.size(), 5);
    QVERIFY(parse->keywordTable.last().endsWith(QStringLiteral("\\\r\n\r\n")));
}

void TestKnowledgeFile::firstRunRefusesNamesGbkCannotHold()
{
    QVERIFY(!KnowledgeFile::firstRunBytes(QStringLiteral("Zoë 😀")));
    QCOMPARE(GbkCodec::firstUnencodable(QStringLiteral("ab😀c")), QStringLiteral("😀"));
    QVERIFY(GbkCodec::canEncode(QStringLiteral("妙语通€")));
}

void TestKnowledgeFile::teachingSaveLayout_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("table");

    QTest::newRow("entries keep their bytes")
        << QStringList{u"bye\\88\\\r\n"_qs, u"hello\\Hi~\\\r\n"_qs}
        << QByteArray("|bye\\88\\\r\n|hello\\Hi~\\\r\n");
    QTest::newRow("extra line end of a first-run file travels along")
        << QStringList{u"[rob]\\哎\\\r\n\r\n"_qs, u"a\\b\\\r\n"_qs}
        << gbk(QStringLiteral("|[rob]\\哎\\\r\n\r\n|a\\b\\\r\n"));
    QTest::newRow("an item without line end loses nothing")
        << QStringList{u"a\\b\\\r\n"_qs, u"z\\last\\"_qs}
        << QByteArray("|a\\b\\\r\n|z\\last\\\r\n");
    QTest::newRow("empty list") << QStringList{} << QByteArray();
    // A damaged byte read as a lone surrogate goes back as that byte, between GBK text.
    QTest::newRow("bytes that are not GBK go back as they came")
        << QStringList{u"键\\"_qs + QChar(0xDC81) + u"回复\\\r\n"_qs}
        << (QByteArray("|") + gbk(u"键\\"_qs) + '\x81' + gbk(u"回复\\\r\n"_qs));

    // A table long enough to be encoded a stretch at a time, a bare LF far down inside a reply.
    QStringList entries;
    QString expected;
    for (int i = 0; i < 8000; ++i) {
        const QString reply = i == 6000 ? u"上\n下"_qs : u"回复一二三四五六七八九十"_qs;
        entries << u"键%1\\%2\\\r\n"_qs.arg(i).arg(reply);
        expected += u"|键%1\\%2\\\r\n"_qs.arg(i).arg(i == 6000 ? u"上\r\n下"_qs : reply);
    }
    QTest::newRow("many stretches, a bare LF in a late one") << entries << gbk(expected);
}

void TestKnowledgeFile::teachingSaveLayout()
{
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, table);
    const QByteArray loaded = gbk(smallFile(QStringLiteral("|x\\y\\\r\n")));
    const Result<KnowledgeBase> parse = KnowledgeBase::parse(loaded);
    QVERIFY(parse);
    const auto saved = KnowledgeFile::teachingSaveBytes(*parse, KeywordTable::fromEntries(entries));
    QVERIFY(saved);
    const qsizetype tableStart = loaded.lastIndexOf("[AI_Dat]") + 8;
    QCOMPARE(saved->left(tableStart), loaded.left(tableStart));
    QCOMPARE(saved->mid(tableStart), QByteArray("\r\n") + table);
}

void TestKnowledgeFile::teachingSaveNamesWhatGbkCannotHold()
{
    const Result<KnowledgeBase> parse = KnowledgeBase::parse(gbk(smallFile({})));
    QVERIFY(parse);
    QStringList entries(8000, u"键\\回复一二三四五六七八九十\\\r\n"_qs);
    entries[7000] = u"键\\笑😀\\\r\n"_qs;
    const auto saved = KnowledgeFile::teachingSaveBytes(*parse, KeywordTable::fromEntries(entries));
    QVERIFY(!saved);
    QVERIFY2(saved.reason().contains(u"“😀”"_qs), qPrintable(saved.reason()));
}

void TestKnowledgeFile::teachingSaveKeepsHeaderAndListsByteForByte()
{
    // A list holding bytes that are not GBK, and a double-byte character whose second byte
    // is '[' right before a marker-like run: both are written back untouched.
    QByteArray loaded = gbk(smallFile(QStringLiteral("|a\\1\\\r\n")));
    loaded.replace("|fuck|", "|\xff\x80\x81|\x81[AI_Dat]x|");
    const Result<KnowledgeBase> parse = KnowledgeBase::parse(loaded);
    QVERIFY(parse);
    const auto saved = KnowledgeFile::teachingSaveBytes(*parse, parse->keywordTable);
    QVERIFY(saved);
    QCOMPARE(*saved, loaded);
}

void TestKnowledgeFile::writeReplacesAtomicallyAndHonoursReadOnly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(KnowledgeFile::FileName);
    QVERIFY(KnowledgeFile::write(path, "first"));
    QVERIFY(KnowledgeFile::write(path, "second"));
    QCOMPARE(*KnowledgeFile::read(path), QByteArray("second"));

    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    const Status refused = KnowledgeFile::write(path, "third");
    QVERIFY(!refused);
    QVERIFY(!refused.reason().isEmpty());
    QCOMPARE(*KnowledgeFile::read(path), QByteArray("second"));

    QVERIFY(!KnowledgeFile::write(dir.filePath(QStringLiteral("gone/Data.ait")), "x"));
    QVERIFY(!KnowledgeFile::read(dir.filePath(QStringLiteral("gone/Data.ait"))));
}

void TestKnowledgeFile::dataLocationFallsBackWhenExecutableDirIsUnusable()
{
    QTemporaryDir dir;
    const QString exeDir = dir.filePath(QStringLiteral("bin"));
    const QString appData = dir.filePath(QStringLiteral("appdata"));
    // A plain file where the executable's directory should be: nothing can be created there.
    QFile blocker(exeDir);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(DataLocation::choose(exeDir, appData), appData);
    QVERIFY(QFileInfo(appData).isDir());

    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("exe"))));
    const QString writableExeDir = dir.filePath(QStringLiteral("exe"));
    QCOMPARE(DataLocation::choose(writableExeDir, appData), writableExeDir);

    QFile existing(QDir(appData).filePath(KnowledgeFile::FileName));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QCOMPARE(DataLocation::choose(writableExeDir, appData), appData);

    QFile blocker2(dir.filePath(QStringLiteral("nowhere")));
    QVERIFY(blocker2.open(QIODevice::WriteOnly));
    blocker2.close();
    QCOMPARE(DataLocation::choose(exeDir, dir.filePath(QStringLiteral("nowhere/sub"))), QString());
}

QTEST_GUILESS_MAIN(TestKnowledgeFile)
#include "tst_knowledgefile.moc"
