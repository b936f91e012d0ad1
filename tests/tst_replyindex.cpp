// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The reply index against the plain scans it stands in for: on generated tables full of keys
// that overlap, contain and repeat each other, every message must get the very same entry.

#include "common/GbkCodec.h"
#include "conversation/ReplyEngine.h"
#include "conversation/ReplyIndex.h"
#include "conversation/ReplyIndexBuilder.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "support/Fakes.h"
#include "support/SmallKnowledge.h"
#include "teaching/TeachingList.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <atomic>

using namespace Qt::StringLiterals;

namespace {

// How a generated table is drawn.
struct TableShape
{
    int entries = 0;
    int emptyKeys = 0; // entries with an empty key, at random places
    bool withRobotName = false;
};

class Generator
{
public:
    Generator(quint32 seed, QString alphabet) : m_random(seed), m_alphabet(std::move(alphabet)) {}

    int below(int n) { return int(m_random.bounded(quint32(n))); }

    QString text(int minLength, int maxLength)
    {
        QString s;
        const int length = minLength + below(maxLength - minLength + 1);
        for (int i = 0; i < length; ++i)
            s += m_alphabet.at(below(int(m_alphabet.size())));
        return s;
    }

    // Keys that are prefixes, suffixes, extensions and copies of keys drawn before them.
    QString key(const QStringList &earlier)
    {
        if (earlier.isEmpty() || below(3) == 0)
            return text(1, 4);
        const QString &base = earlier.at(below(int(earlier.size())));
        if (base.isEmpty())
            return text(1, 3);
        switch (below(5)) {
        case 0:
            return base.left(1 + below(int(base.size())));
        case 1:
            return base.right(1 + below(int(base.size())));
        case 2:
            return base + text(1, 2);
        case 3:
            return text(1, 2) + base;
        default:
            return base;
        }
    }

    // A message of filler with up to three of the given pieces somewhere in it.
    QString message(const QStringList &pieces)
    {
        QString m = text(0, 6);
        for (int n = below(4); n > 0 && !pieces.isEmpty(); --n)
            m += pieces.at(below(int(pieces.size()))) + text(0, 3);
        return m;
    }

private:
    QRandomGenerator m_random;
    QString m_alphabet;
};

QStringList generateTable(Generator &gen, const TableShape &shape, QStringList *keys)
{
    QStringList table;
    for (int i = 0; i < shape.entries; ++i) {
        QString key = gen.key(*keys);
        if (shape.withRobotName && gen.below(20) == 0)
            key = gen.below(2) ? u"[rob]"_s : key + u"[rob]"_s;
        keys->append(key);
    }
    for (int i = 0; i < shape.emptyKeys; ++i)
        (*keys)[gen.below(int(keys->size()))] = QString();
    for (int i = 0; i < keys->size(); ++i)
        table << keys->at(i) + u"\\reply%1\\\r\n"_s.arg(i);
    return table;
}

KnowledgeBase knowledgeOf(const QStringList &table, const QStringList &filterWords)
{
    KnowledgeBase kb;
    kb.keywordTable = KeywordTable::fromEntries(table);
    kb.filterWords = filterWords;
    kb.dirtyReplies = QStringList{u"rebuke"_s};
    kb.noAnswerReplies = QStringList{u"what?"_s};
    return kb;
}

// Both ways of answering, side by side, for the same message; the answer must not depend on
// the way.
void compareResponses(const QString &message, const KnowledgeBase &kb, const ReplyIndex &index,
                      const QString &robotName)
{
    ScriptedRandom scanRandom;
    ScriptedRandom indexRandom;
    QString scanned = message;
    QString indexed = message;
    const Reply byScan = ReplyEngine::respond(scanned, kb, robotName, scanRandom);
    const Reply byIndex = ReplyEngine::respond(indexed, kb, robotName, indexRandom, &index);
    QCOMPARE(byIndex.text, byScan.text);
    QCOMPARE(int(byIndex.kind), int(byScan.kind));
    QCOMPARE(indexed, scanned);
}

} // namespace

class TestReplyIndex : public QObject
{
    Q_OBJECT

private slots:
    void findsTheFirstEntryLikeTheScan_data();
    void findsTheFirstEntryLikeTheScan();
    void respondsLikeTheScans_data();
    void respondsLikeTheScans();
    void chosenCases_data();
    void chosenCases();
    void followsTeachingAndReload();
    void indexOfOtherKnowledgeIsNotUsed();
    void cancelledBuildGivesNothing_data();
    void cancelledBuildGivesNothing();
    void builderDeliversOnlyTheLatestIndex();
};

void TestReplyIndex::findsTheFirstEntryLikeTheScan_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<int>("emptyKeys");

    // Two letters make every key overlap many others; the mixed alphabet is like real keys.
    const QString narrow = u"ab"_s;
    const QString mixed = u"ab你好吗阿木[rob]?!1"_s;
    QTest::newRow("one entry") << 1u << 1 << narrow << 0;
    QTest::newRow("one empty key") << 2u << 1 << narrow << 1;
    QTest::newRow("small, narrow") << 3u << 12 << narrow << 0;
    QTest::newRow("small, narrow, empty keys") << 4u << 12 << narrow << 2;
    QTest::newRow("medium, narrow") << 5u << 300 << narrow << 0;
    QTest::newRow("medium, mixed") << 6u << 300 << mixed << 0;
    QTest::newRow("medium, mixed, empty key") << 7u << 300 << mixed << 1;
    QTest::newRow("large, mixed") << 8u << 5000 << mixed << 0;
    // Past the size where the root looks its children up directly.
    QTest::newRow("large, wide alphabet")
        << 9u << 5000
        << u"的一是不了人我在有他这为之大来以个中上们到说国和地也子时道出而要于就下得可你"_s << 3;
    QTest::newRow("surrogate pairs") << 10u << 200 << u"a😀😃b"_s << 0;
}

void TestReplyIndex::findsTheFirstEntryLikeTheScan()
{
    QFETCH(quint32, seed);
    QFETCH(int, entries);
    QFETCH(QString, alphabet);
    QFETCH(int, emptyKeys);

    Generator gen(seed, alphabet);
    QStringList keys;
    const QStringList table =
        generateTable(gen, {.entries = entries, .emptyKeys = emptyKeys}, &keys);
    const std::optional<ReplyIndex> index = ReplyIndex::build(knowledgeOf(table, {}));
    QVERIFY(index);

    int matched = 0;
    for (int i = 0; i < 2000; ++i) {
        const QString message = gen.message(keys);
        const std::optional<qsizetype> expected =
            ReplyEngine::scanTable(message, KeywordTable::fromEntries(table));
        const std::optional<qsizetype> found = index->firstEntry(message);
        if (found != expected) {
            QFAIL(qPrintable(
                u"message %1: index %2, scan %3"_s.arg(message, QString::number(found.value_or(-1)),
                                                       QString::number(expected.value_or(-1)))));
        }
        matched += expected.has_value();
    }
    // The messages must exercise both outcomes, or the comparison proves little.
    QVERIFY(matched > 0 || emptyKeys == entries);
    QVERIFY(matched < 2000);
}

void TestReplyIndex::respondsLikeTheScans_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QString>("robotName");
    QTest::addColumn<QStringList>("filterWords");

    const QStringList rude{u"fuck"_s, u"SB"_s, u"坏蛋"_s, u"ab"_s};
    QTest::newRow("default name") << 11u << u"阿木"_s << rude;
    QTest::newRow("no filter words: the name stays") << 12u << u"阿木"_s << QStringList();
    QTest::newRow("an empty filter word is never found")
        << 13u << u"阿木"_s << QStringList{u"坏蛋"_s, QString()};
    // Names that share characters with "[rob]" can turn up again after each replacement.
    QTest::newRow("name inside [rob]") << 14u << u"o"_s << rude;
    QTest::newRow("name that re-forms") << 15u << u"]]"_s << rude;
    QTest::newRow("name that is a key's part") << 16u << u"b你"_s << rude;
}

void TestReplyIndex::respondsLikeTheScans()
{
    QFETCH(quint32, seed);
    QFETCH(QString, robotName);
    QFETCH(QStringList, filterWords);

    const QString alphabet = u"ab你好[rob]"_s + robotName;
    Generator gen(seed, alphabet);
    QStringList keys;
    const QStringList table = generateTable(gen, {.entries = 400, .withRobotName = true}, &keys);
    const KnowledgeBase kb = knowledgeOf(table, filterWords);
    const std::optional<ReplyIndex> index = ReplyIndex::build(kb);
    QVERIFY(index);

    const QStringList pieces = QStringList(keys) << filterWords << robotName << robotName;
    for (int i = 0; i < 1000; ++i) {
        compareResponses(gen.message(pieces), kb, *index, robotName);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestReplyIndex::chosenCases_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("entry");

    QTest::newRow("later key inside an earlier match")
        << QStringList{u"xabcx"_s, u"abc"_s, u"b"_s} << u"zabcz"_s << 1;
    QTest::newRow("the earliest of overlapping keys")
        << QStringList{u"bcd"_s, u"abc"_s} << u"abcd"_s << 0;
    QTest::newRow("suffix found through a failure link")
        << QStringList{u"abcdx"_s, u"cd"_s, u"bcd"_s} << u"abcdy"_s << 1;
    QTest::newRow("duplicate keys: the earlier")
        << QStringList{u"q"_s, u"hi"_s, u"hi"_s} << u"hi"_s << 1;
    QTest::newRow("the last entry counts") << QStringList{u"x"_s, u"y"_s, u"z"_s} << u"z"_s << 2;
    // Only a hand-edited file holds an empty key: it would otherwise answer every message.
    QTest::newRow("an empty key is never found")
        << QStringList{u"a"_s, QString()} << QString() << -1;
    QTest::newRow("an empty key hides nothing") << QStringList{QString(), u"b"_s} << u"ab"_s << 1;
    QTest::newRow("key longer than the message") << QStringList{u"hello"_s} << u"hell"_s << -1;
    QTest::newRow("case matters") << QStringList{u"hello"_s} << u"HELLO"_s << -1;
    QTest::newRow("whole message") << QStringList{u"z"_s, u"你好"_s} << u"你好"_s << 1;
    QTest::newRow("match at the very end") << QStringList{u"aab"_s, u"b"_s} << u"aaaaaaab"_s << 0;
}

void TestReplyIndex::chosenCases()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, message);
    QFETCH(int, entry);

    QStringList table;
    for (const QString &key : std::as_const(keys))
        table << key + u"\\r\\\r\n"_s;
    const std::optional<ReplyIndex> index = ReplyIndex::build(knowledgeOf(table, {}));
    QVERIFY(index);
    QCOMPARE(ReplyEngine::scanTable(message, KeywordTable::fromEntries(table)).value_or(-1), entry);
    QCOMPARE(index->firstEntry(message).value_or(-1), entry);
}

void TestReplyIndex::followsTeachingAndReload()
{
    const QString alphabet = u"ab你好吗[rob]"_s;
    Generator gen(21, alphabet);
    QStringList keys;
    QStringList table = generateTable(gen, {.entries = 300}, &keys);
    for (QString &entry : table)
        entry = KnowledgeEntry::withoutLineEnd(entry).toString();
    const QStringList filterWords{u"fuck"_s, u"坏蛋"_s};
    const KnowledgeBase loaded =
        *KnowledgeBase::parse(*GbkCodec::encode(knowledgeText(table, u"zu"_s, filterWords)));

    // Teaching sorts the table, adds entries whose keys overlap the old ones and edits one.
    TeachingList teaching;
    teaching.setEntries(loaded.keywordTable);
    for (int i = 0; i < 30; ++i) {
        const QString key = gen.key(keys);
        keys << key;
        teaching.insertEntry(KnowledgeEntry::withLineEnd(key + u"\\taught%1\\"_s.arg(i)));
    }
    teaching.replaceEntry(5, KnowledgeEntry::withLineEnd(u"ab好\\edited\\"_s));
    keys << u"ab好"_s;
    const Result<QByteArray> saved =
        KnowledgeFile::teachingSaveBytes(loaded, KeywordTable::fromEntries(teaching.entries()));
    QVERIFY(saved);
    const KnowledgeBase reloaded = *KnowledgeBase::parse(*saved);
    QCOMPARE(reloaded.entryCount(), 330);

    const std::optional<ReplyIndex> index = ReplyIndex::build(reloaded);
    QVERIFY(index);
    const QStringList pieces = QStringList(keys) << filterWords << u"阿木"_s;
    for (int i = 0; i < 1000; ++i) {
        const QString message = gen.message(pieces);
        QCOMPARE(index->firstEntry(message),
                 ReplyEngine::scanTable(message, reloaded.keywordTable));
        compareResponses(message, reloaded, *index, u"阿木"_s);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestReplyIndex::indexOfOtherKnowledgeIsNotUsed()
{
    const KnowledgeBase before = knowledgeOf({u"hello\\old\\\r\n"_s}, {u"fuck"_s});
    const std::optional<ReplyIndex> stale = ReplyIndex::build(before);
    QVERIFY(stale);
    QVERIFY(stale->isFor(before));

    // Equal text loaded again is other knowledge all the same: only the very lists count.
    const KnowledgeBase after = knowledgeOf({u"hello\\h\\\r\n"_s, u"bye\\b\\\r\n"_s}, {});
    QVERIFY(!stale->isFor(after));
    ScriptedRandom random;
    // The old index would find a filter word here and no key at all.
    QString message = u"byefuck"_s;
    const Reply reply = ReplyEngine::respond(message, after, u"阿木"_s, random, &*stale);
    QCOMPARE(reply.text.value_or(QString()), u"b"_s);
}

void TestReplyIndex::cancelledBuildGivesNothing_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<QStringList>("filterWords");
    QTest::addColumn<bool>("cancelled");

    const QStringList rude{u"fuck"_s, u"坏蛋"_s};
    QTest::newRow("no keys, no filter words") << 0 << QStringList() << true;
    QTest::newRow("filter words only") << 0 << rude << true;
    QTest::newRow("big table") << 20000 << rude << true;
    QTest::newRow("big table, not cancelled") << 20000 << rude << false;
}

void TestReplyIndex::cancelledBuildGivesNothing()
{
    QFETCH(int, entries);
    QFETCH(QStringList, filterWords);
    QFETCH(bool, cancelled);

    Generator gen(31, u"ab你好吗"_s);
    QStringList keys;
    const KnowledgeBase kb =
        knowledgeOf(generateTable(gen, {.entries = entries}, &keys), filterWords);
    // A load that is abandoned must not leave a half-built index behind for the reply engine.
    const std::atomic_bool cancel{cancelled};
    const std::optional<ReplyIndex> index = ReplyIndex::build(kb, &cancel);
    QCOMPARE(index.has_value(), !cancelled);
    if (index && entries > 0) {
        QCOMPARE(index->firstEntry(keys.last()),
                 ReplyEngine::scanTable(keys.last(), kb.keywordTable));
        QVERIFY(index->firstFilterWord(u"x坏蛋x"_s));
    }
}

void TestReplyIndex::builderDeliversOnlyTheLatestIndex()
{
    const KnowledgeBase first = knowledgeOf({u"a\\1\\\r\n"_s}, {u"x"_s});
    const KnowledgeBase second = knowledgeOf({u"b\\2\\\r\n"_s, u"a\\3\\\r\n"_s}, {u"x"_s});

    ReplyIndexBuilder builder;
    QSignalSpy ready(&builder, &ReplyIndexBuilder::ready);
    builder.rebuild(first);
    QVERIFY(ready.wait(60000));
    QVERIFY(builder.index() && builder.index()->isFor(first));

    // A new load drops the old index at once; the build it abandons never replaces the new one.
    builder.rebuild(first);
    builder.rebuild(second);
    QCOMPARE(builder.index(), nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(builder.index() != nullptr, 60000);
    QVERIFY(builder.index()->isFor(second));
    QCOMPARE(builder.index()->firstEntry(u"ab"_s), 0);

    builder.drop();
    QCOMPARE(builder.index(), nullptr);
}

QTEST_GUILESS_MAIN(TestReplyIndex)
#include "tst_replyindex.moc"
