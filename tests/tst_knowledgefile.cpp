// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The knowledge file: how its text splits into lists and entries, what a first-run file and a
// teaching save look like on disk, what loading a file finds (knowledge, a UTF-8 look, or a
// refusal in words), and the conversion of a UTF-8 file.

#include "common/GbkCodec.h"
#include "knowledge/CheckedReplace.h"
#include "knowledge/DataLocation.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

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

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What stands at the path a load is given.
enum class Place
{
    File,
    Folder,
    Pipe,
    Nothing,
    FileAboveTheLimit, // sparse: takes no disk
};

enum class Outcome
{
    Loads,
    LooksUtf8,
    Refused,
};

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
    void loadOutcomes_data();
    void loadOutcomes();
    void noticesAnotherProgramsWrite_data();
    void noticesAnotherProgramsWrite();
    void utf8LookSurvivesAnyCut_data();
    void utf8LookSurvivesAnyCut();
    void convertUtf8ToGbk_data();
    void convertUtf8ToGbk();
    void writesFollowOnlyLinksThatWereThere_data();
    void writesFollowOnlyLinksThatWereThere();
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
    QCOMPARE(fileBytes(path), QByteArray("second"));

    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    const Status refused = KnowledgeFile::write(path, "third");
    QVERIFY(!refused);
    QVERIFY(!refused.reason().isEmpty());
    QCOMPARE(fileBytes(path), QByteArray("second"));

    QVERIFY(!KnowledgeFile::write(dir.filePath(QStringLiteral("gone/Data.ait")), "x"));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("gone/Data.ait"))));
}

void TestKnowledgeFile::loadOutcomes_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("stopFirst");
    QTest::addColumn<Outcome>("outcome");
    // For a refusal: words its reason holds.
    QTest::addColumn<QString>("reasonHolds");

    const QString text = smallFile(QStringLiteral("|你好\\你好呀\\\r\n"));
    QString latin = QStringLiteral("|zu|\r\n");
    for (int i = 0; i < 6; ++i)
        latin += QStringLiteral("[AI_Dat]\r\ntitle\r\n|a|\r\n");
    latin += QStringLiteral("[AI_Dat]\r\n|hi\\ho\\\r\n");

    QTest::newRow("knowledge") << Place::File << gbk(text) << false << Outcome::Loads << QString();
    QTest::newRow("Latin text only")
        << Place::File << latin.toLatin1() << false << Outcome::Loads << QString();
    QTest::newRow("saved as UTF-8")
        << Place::File << text.toUtf8() << false << Outcome::LooksUtf8 << QString();
    QTest::newRow("UTF-8 with a byte-order mark")
        << Place::File << QByteArray("\xef\xbb\xbf") + text.toUtf8() << false << Outcome::LooksUtf8
        << QString();
    QTest::newRow("damaged") << Place::File << gbk(text.section(QStringLiteral("[AI_Dat]"), 0, 5))
                             << false << Outcome::Refused << QStringLiteral("5 个");
    QTest::newRow("empty") << Place::File << QByteArray() << false << Outcome::Refused
                           << QStringLiteral("空");
    QTest::newRow("zero bytes") << Place::File << QByteArray(100000, '\0') << false
                                << Outcome::Refused << QStringLiteral("用户名");
    QTest::newRow("a folder") << Place::Folder << QByteArray() << false << Outcome::Refused
                              << QStringLiteral("不是普通的文件");
    // Opening a pipe for reading would wait for a writer that never comes.
    QTest::newRow("a pipe") << Place::Pipe << QByteArray() << false << Outcome::Refused
                            << QStringLiteral("不是普通的文件");
    QTest::newRow("no file") << Place::Nothing << QByteArray() << false << Outcome::Refused
                             << QStringLiteral("不存在");
    QTest::newRow("above the limit") << Place::FileAboveTheLimit << QByteArray() << false
                                     << Outcome::Refused << QStringLiteral("1024 MB");
    QTest::newRow("stopped") << Place::File << gbk(text) << true << Outcome::Refused
                             << QStringLiteral("中止");
    QTest::newRow("stopped, UTF-8")
        << Place::File << text.toUtf8() << true << Outcome::Refused << QStringLiteral("中止");
}

void TestKnowledgeFile::loadOutcomes()
{
    QFETCH(Place, place);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, stopFirst);
    QFETCH(Outcome, outcome);
    QFETCH(QString, reasonHolds);

    QTemporaryDir dir;
    const QString path = dir.filePath(KnowledgeFile::FileName);
    switch (place) {
    case Place::File:
        QVERIFY(KnowledgeFile::write(path, bytes));
        break;
    case Place::Folder:
        QVERIFY(QDir().mkpath(path));
        break;
    case Place::Pipe:
        QVERIFY2(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0, std::strerror(errno));
        break;
    case Place::Nothing:
        break;
    case Place::FileAboveTheLimit: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(KnowledgeFile::MaxFileSize + 1));
        break;
    }
    }
    const std::atomic_bool stop{stopFirst};
    const KnowledgeFile::Loaded loaded = KnowledgeFile::load(path, &stop);

    // Start-up asks about a UTF-8 look before anything else, so what the knowledge read as GBK
    // holds then does not matter.
    QCOMPARE(loaded.looksUtf8, outcome == Outcome::LooksUtf8);
    switch (outcome) {
    case Outcome::Loads:
        QVERIFY2(loaded.knowledge, qPrintable(loaded.knowledge.reason()));
        QCOMPARE(loaded.knowledge->userName, QStringLiteral("zu"));
        QCOMPARE(loaded.knowledge->entryCount(), 1);
        QCOMPARE(loaded.knowledge->headBytes, bytes.left(bytes.lastIndexOf("[AI_Dat]") + 8));
        break;
    case Outcome::Refused:
        QVERIFY(!loaded.knowledge);
        QVERIFY2(loaded.knowledge.reason().contains(reasonHolds),
                 qPrintable(loaded.knowledge.reason()));
        break;
    case Outcome::LooksUtf8:
        break;
    }
}

enum class Meanwhile
{
    Nothing,
    Appends,
    SameSizeOldTimeKept,
    Removed
};
Q_DECLARE_METATYPE(Meanwhile)

void TestKnowledgeFile::noticesAnotherProgramsWrite_data()
{
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<bool>("writtenLongAgo"); // else moments before the load
    QTest::addColumn<bool>("changed");
    for (const bool longAgo : {false, true}) {
        const char *when = longAgo ? ", written long ago" : "";
        QTest::addRow("untouched%s", when) << Meanwhile::Nothing << longAgo << false;
        QTest::addRow("an entry appended%s", when) << Meanwhile::Appends << longAgo << true;
        QTest::addRow("removed%s", when) << Meanwhile::Removed << longAgo << true;
    }
    // Written within moments of the load, the time set back: only the bytes tell.
    QTest::newRow("same size and time, other bytes")
        << Meanwhile::SameSizeOldTimeKept << false << true;
}

void TestKnowledgeFile::noticesAnotherProgramsWrite()
{
    QFETCH(Meanwhile, meanwhile);
    QFETCH(bool, writtenLongAgo);
    QFETCH(bool, changed);

    QTemporaryDir dir;
    const QString path = dir.filePath(KnowledgeFile::FileName);
    const QByteArray bytes = gbk(smallFile(QStringLiteral("|你好|你好呀|\r\n")));
    QVERIFY(KnowledgeFile::write(path, bytes));
    const QByteArray encoded = QFile::encodeName(path);
    if (writtenLongAgo) {
        const timespec hourAgo{std::time(nullptr) - 3600, 0};
        const timespec times[2] = {hourAgo, hourAgo};
        QCOMPARE(::utimensat(AT_FDCWD, encoded.constData(), times, 0), 0);
    }
    const KnowledgeFile::Loaded loaded = KnowledgeFile::load(path);
    QVERIFY(loaded.knowledge);
    struct stat before = {};
    QCOMPARE(::stat(encoded.constData(), &before), 0);

    QFile file(path);
    switch (meanwhile) {
    case Meanwhile::Nothing:
        break;
    case Meanwhile::Appends:
        QVERIFY(file.open(QIODevice::Append));
        file.write(gbk(QStringLiteral("|别处|别处的回复|\r\n")));
        file.close();
        break;
    case Meanwhile::SameSizeOldTimeKept: {
        QByteArray other = bytes;
        other.replace(gbk(QStringLiteral("你好呀")), gbk(QStringLiteral("再见啦")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(other);
        file.close();
        const timespec times[2] = {before.st_atim, before.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, encoded.constData(), times, 0), 0);
        break;
    }
    case Meanwhile::Removed:
        QVERIFY(file.remove());
        break;
    }
    QCOMPARE(KnowledgeFile::changedSince(path, loaded.knowledge->source), changed);
}

void TestKnowledgeFile::utf8LookSurvivesAnyCut_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("looksUtf8");

    QTest::newRow("ASCII only") << QByteArray("|zu|\r\n[AI_Dat]") << false;
    QTest::newRow("GBK Chinese") << gbk(QStringLiteral("|张三|你好")) << false;
    QTest::newRow("UTF-8 Chinese") << QStringLiteral("|张三|你好").toUtf8() << true;
    QTest::newRow("a byte-order mark alone") << QByteArray("\xef\xbb\xbf") << true;
    QTest::newRow("four bytes") << QStringLiteral("笑😀").toUtf8() << true;
    QTest::newRow("a noncharacter") << QByteArray("a\xef\xbf\xbe") << true;
    QTest::newRow("overlong") << QByteArray("a\xc0\x80") << false;
    QTest::newRow("overlong of three bytes") << QByteArray("\xe0\x9f\xbf") << false;
    QTest::newRow("a surrogate") << QByteArray("\xed\xa0\x80") << false;
    QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << false;
    QTest::newRow("cut off at the end") << QStringLiteral("你好").toUtf8().chopped(1) << false;
    QTest::newRow("a stray continuation byte") << QByteArray("ab\x80"
                                                             "cd")
                                               << false;
    QTest::newRow("UTF-8 then one invalid byte far on")
        << QStringLiteral("你好").toUtf8() + QByteArray(40, 'a') + '\xff' << false;
}

void TestKnowledgeFile::utf8LookSurvivesAnyCut()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, looksUtf8);
    // The rule is Qt's idea of valid UTF-8 with one byte of 0x80 or above.
    const bool multiByte =
        std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) >= 0x80; });
    QCOMPARE(multiByte && QByteArrayView(bytes).isValidUtf8(), looksUtf8);
    for (qsizetype piece = 1; piece <= bytes.size(); ++piece) {
        KnowledgeBase::Reader reader;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            reader.add(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
        (void)reader.finish();
        QVERIFY2(reader.looksUtf8() == looksUtf8, qPrintable(u"pieces of %1"_qs.arg(piece)));
    }
}

void TestKnowledgeFile::convertUtf8ToGbk_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<bool>("failBackup");
    // Empty when it converts.
    QTest::addColumn<QString>("reasonHolds");

    const QString text = smallFile(QStringLiteral("|早\\早上好\\\r\n"));
    QTest::newRow("converts") << text.toUtf8() << false << QString();
    QTest::newRow("drops the byte-order mark")
        << QByteArray("\xef\xbb\xbf") + text.toUtf8() << false << QString();
    QTest::newRow("a character GBK lacks")
        << (text + QStringLiteral("|笑\\😀\\\r\n")).toUtf8() << false << QStringLiteral("“😀”");
    QTest::newRow("the backup cannot be written")
        << text.toUtf8() << true << QStringLiteral("备份");
    QTest::newRow("a file already has the backup's name")
        << text.toUtf8() << false << QStringLiteral("同名");
}

void TestKnowledgeFile::convertUtf8ToGbk()
{
    QFETCH(QByteArray, original);
    QFETCH(bool, failBackup);
    QFETCH(QString, reasonHolds);

    QTemporaryDir dir;
    const QString path = dir.filePath(KnowledgeFile::FileName);
    const QString backup = path + u".utf8.bak"_qs;
    QVERIFY(KnowledgeFile::write(path, original));
    const KnowledgeFile::WriteFault fault = [failBackup](QByteArray &) {
        return failBackup ? ENOSPC : 0;
    };
    const bool backupThere = reasonHolds == u"同名"_qs;
    if (backupThere)
        QVERIFY(KnowledgeFile::write(backup, "earlier backup"));

    const Status converted = KnowledgeFile::convertUtf8ToGbk(path, backup, fault);
    if (!reasonHolds.isEmpty()) {
        QVERIFY(!converted);
        QVERIFY2(converted.reason().contains(reasonHolds), qPrintable(converted.reason()));
        QCOMPARE(fileBytes(path), original);
        if (backupThere)
            QCOMPARE(fileBytes(backup), QByteArray("earlier backup"));
        else
            QVERIFY(!QFileInfo::exists(backup));
        return;
    }
    QVERIFY2(converted, qPrintable(converted.reason()));
    QCOMPARE(fileBytes(backup), original);
    QCOMPARE(fileBytes(path), gbk(smallFile(QStringLiteral("|早\\早上好\\\r\n"))));
    const KnowledgeFile::Loaded loaded = KnowledgeFile::load(path);
    QVERIFY(!loaded.looksUtf8);
    QVERIFY(loaded.knowledge);
    QCOMPARE(KnowledgeEntry::replies(loaded.knowledge->keywordTable.at(0)),
             QStringList{u"早上好"_qs});
}

enum class Write
{
    FirstRun,
    Conversion,
    CopyAnew, // saved elsewhere where nothing was
    CopyOver, // saved elsewhere over a file
};
// Data.ait is a link from the start (for a first run, its folder is); or another account puts a
// link to the user's other file at the name, once the copy is chosen or as the write ends.
enum class Link
{
    FromTheStart,
    AfterTheChoice,
    BeforeTheLastStep,
};
Q_DECLARE_METATYPE(Write)
Q_DECLARE_METATYPE(Link)

void TestKnowledgeFile::writesFollowOnlyLinksThatWereThere_data()
{
    QTest::addColumn<Write>("write");
    QTest::addColumn<Link>("link");
    const Link last = Link::BeforeTheLastStep;
    QTest::newRow("first run, a link appears") << Write::FirstRun << last;
    QTest::newRow("conversion, a link swapped in") << Write::Conversion << last;
    QTest::newRow("copy where nothing was, a link appears") << Write::CopyAnew << last;
    QTest::newRow("copy over a file, a link swapped in") << Write::CopyOver << last;
    QTest::newRow("copy over a file, a link once chosen")
        << Write::CopyOver << Link::AfterTheChoice;
    QTest::newRow("first run in a folder reached by a link")
        << Write::FirstRun << Link::FromTheStart;
    QTest::newRow("conversion through a link") << Write::Conversion << Link::FromTheStart;
    QTest::newRow("copy chosen as a link") << Write::CopyOver << Link::FromTheStart;
}

void TestKnowledgeFile::writesFollowOnlyLinksThatWereThere()
{
    QFETCH(Write, write);
    QFETCH(Link, link);
    const bool linkFirst = link == Link::FromTheStart;
    QTemporaryDir dir;
    const QString victim = dir.filePath(u"victim.txt"_qs);
    QVERIFY(KnowledgeFile::write(victim, "the user's other file"));
    QVERIFY(QDir().mkpath(dir.filePath(u"real"_qs)));
    const QString real = dir.filePath(linkFirst ? u"real/Data.ait"_qs : u"Data.ait"_qs);
    QString path = dir.filePath(u"Data.ait"_qs);
    if (linkFirst && write == Write::FirstRun) {
        QVERIFY(QFile::link(dir.filePath(u"real"_qs), dir.filePath(u"linked"_qs)));
        path = dir.filePath(u"linked/Data.ait"_qs);
    } else if (linkFirst) {
        QVERIFY(QFile::link(real, path));
    }
    const QString text = smallFile(QStringLiteral("|早\\早上好\\\r\n"));
    const bool overAFile = write == Write::Conversion || write == Write::CopyOver;
    if (overAFile)
        QVERIFY(KnowledgeFile::write(real, text.toUtf8()));
    const KnowledgeFile::Chosen chosen = KnowledgeFile::choose(path);

    // Should the swap fail, the write succeeds and the row fails.
    const auto swapIn = [&] {
        if (!overAFile || QFile::rename(path, path + u".aside"_qs))
            QFile::link(victim, path);
    };
    if (link == Link::AfterTheChoice)
        swapIn();
    int writes = write == Write::Conversion ? 2 : 1; // the conversion's backup comes first
    const KnowledgeFile::WriteFault meanwhile = [&](QByteArray &) {
        if (link == Link::BeforeTheLastStep && --writes == 0)
            swapIn();
        return 0;
    };
    const Status done = [&] {
        if (write == Write::FirstRun)
            return CheckedReplace::create(path, gbk(text), {}, meanwhile);
        if (write == Write::Conversion)
            return KnowledgeFile::convertUtf8ToGbk(path, path + u".utf8.bak"_qs, meanwhile);
        return KnowledgeFile::write(chosen, gbk(text), meanwhile);
    }();

    QCOMPARE(fileBytes(victim), QByteArray("the user's other file"));
    QCOMPARE(QFileInfo(path).isSymLink(), !linkFirst || write != Write::FirstRun);
    QCOMPARE(QDir(QFileInfo(real).path()).entryList({u"Data.ait.??????"_qs}), QStringList());
    QCOMPARE(bool(done), linkFirst);
    if (linkFirst)
        QCOMPARE(fileBytes(real), gbk(text));
    else
        QVERIFY2(done.reason().contains(u"链接"_qs), qPrintable(done.reason()));
    if (!linkFirst && overAFile)
        QCOMPARE(fileBytes(path + u".aside"_qs), text.toUtf8());
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
