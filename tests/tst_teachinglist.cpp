// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/KeyCollator.h"
#include "teaching/TeachingList.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

class TstTeachingList : public QObject
{
    Q_OBJECT

private slots:
    void setEntriesSortsStably();
    void setEntriesPlacesOnlyWhatIsOutOfOrder_data();
    void setEntriesPlacesOnlyWhatIsOutOfOrder();
    void insertLandsAtItsSortedPlace_data();
    void insertLandsAtItsSortedPlace();
    void manyInsertsAtOnePlace_data();
    void manyInsertsAtOnePlace();
    void replaceKeepsRowAndCount();
    void findKeyGivesFirstInListOrder();
    void editsKeepLookupsRight_data();
    void editsKeepLookupsRight();
    void snapshotKeepsItsEntries();
    void displayDropsOnlyTheLineEnd_data();
    void displayDropsOnlyTheLineEnd();
    void emptyList();
    void modelSignals();
};

void TstTeachingList::setEntriesSortsStably()
{
    TeachingList list;
    list.setEntries({u"你好\\hi\\\r\n"_s, u"HELLO\\X\\\r\n"_s, u"123\\a\\\r\n"_s,
                     u"hello\\x\\\r\n"_s, u"[rob]\\hi\\\r\n\r\n"_s});
    // HELLO and hello are equal in a case-insensitive order, so they keep the input order.
    QCOMPARE(list.entries(),
             QStringList({u"[rob]\\hi\\\r\n\r\n"_s, u"123\\a\\\r\n"_s, u"HELLO\\X\\\r\n"_s,
                          u"hello\\x\\\r\n"_s, u"你好\\hi\\\r\n"_s}));
    QCOMPARE(list.findKey(u"hello"_s), 3);
    QCOMPARE(list.findKey(u"HELLO"_s), 2);

    // Enough equal items that a sort which is not stable would mix them up.
    QStringList variants;
    for (int pattern = 0; pattern < 128; ++pattern) {
        QString key = u"abcdefg"_s;
        for (int bit = 0; bit < 7; ++bit) {
            if (pattern & (1 << bit))
                key[bit] = key.at(bit).toUpper();
        }
        variants << key + u"\\x\\\r\n"_s;
    }
    std::shuffle(variants.begin(), variants.end(), QRandomGenerator(3));
    list.setEntries(QStringList(variants) << u"zzz\\x\\\r\n"_s << u"0\\x\\\r\n"_s);
    QCOMPARE(list.entries(), QStringList(u"0\\x\\\r\n"_s) << variants << u"zzz\\x\\\r\n"_s);
}

void TstTeachingList::setEntriesPlacesOnlyWhatIsOutOfOrder_data()
{
    QTest::addColumn<QStringList>("entries");

    // Keys from few letters in both cases, so that many entries are equal but for case and
    // must keep their input order.
    QRandomGenerator random(11);
    QStringList drawn;
    for (int i = 0; i < 400; ++i) {
        QString key;
        for (int n = 1 + random.bounded(3); n > 0; --n)
            key += u"aAbB你"_s.at(random.bounded(5));
        drawn << key + u"\\r\\\r\n"_s;
    }
    const KeyCollator collator;
    QStringList sorted = drawn;
    std::stable_sort(sorted.begin(), sorted.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });

    QTest::newRow("random") << drawn;
    QTest::newRow("already sorted") << sorted;
    QStringList middleToEnd = sorted;
    middleToEnd.move(200, 399);
    QTest::newRow("one moved to the end") << middleToEnd;
    QTest::newRow("the last sorts first, as in a first-run file")
        << (sorted.mid(1) << sorted.first());
    QTest::newRow("the greatest first") << (QStringList(sorted.last()) << sorted.first(399));
    QTest::newRow("reversed") << QStringList(sorted.rbegin(), sorted.rend());
    QStringList swapped = sorted;
    for (int i = 0; i + 7 < swapped.size(); i += 37)
        swapped.swapItemsAt(i, i + 7);
    QTest::newRow("a few swapped") << swapped;
}

void TstTeachingList::setEntriesPlacesOnlyWhatIsOutOfOrder()
{
    QFETCH(QStringList, entries);

    const KeyCollator collator;
    QStringList expected = entries;
    std::stable_sort(
        expected.begin(), expected.end(),
        [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    TeachingList list;
    list.setEntries(entries);
    QCOMPARE(list.entries(), expected);
    for (int row = 0; row < expected.size(); row += 13)
        QVERIFY(list.findKey(TeachingList::keyOf(expected.at(row))) <= row);
}

void TstTeachingList::insertLandsAtItsSortedPlace_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("keyRow");

    const QStringList table{u"88\\a\\\r\n"_s, u"bye\\88\\\r\n"_s, u"hello\\hi\\\r\n"_s,
                            u"你好\\hi\\\r\n"_s};
    QTest::newRow("into an empty list") << QStringList() << u"a\\b\\\r\n"_s << 0 << 0;
    QTest::newRow("symbol key to the front") << table << u"^_^\\:)\\\r\n"_s << 0 << 0;
    QTest::newRow("latin between latin") << table << u"good\\ok\\\r\n"_s << 2 << 2;
    QTest::newRow("latin before chinese") << table << u"zzz\\z\\\r\n"_s << 3 << 3;
    QTest::newRow("chinese at the end") << table << u"走了\\88\\\r\n"_s << 4 << 4;
    QTest::newRow("after the same text") << table << u"bye\\88\\\r\n"_s << 2 << 1;
    QTest::newRow("after an item equal but for case") << table << u"BYE\\88\\\r\n"_s << 2 << 2;
    QTest::newRow("same key, replies decide") << table << u"bye\\0\\\r\n"_s << 1 << 1;
}

void TstTeachingList::insertLandsAtItsSortedPlace()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, entry);
    QFETCH(int, row);
    QFETCH(int, keyRow);

    TeachingList list;
    list.setEntries(entries);
    QCOMPARE(list.insertEntry(entry), row);
    QCOMPARE(list.count(), int(entries.size()) + 1);
    QCOMPARE(list.entryAt(row), entry);
    QStringList expected = entries;
    expected.insert(row, entry);
    QCOMPARE(list.entries(), expected);
    QCOMPARE(list.findKey(TeachingList::keyOf(entry)), keyRow);
}

void TstTeachingList::manyInsertsAtOnePlace_data()
{
    QTest::addColumn<bool>("descending");
    // Each new key sorts right before the previous one, or right after it: the inserts keep
    // landing in the same gap, many more times than it can be halved.
    QTest::newRow("each at the front") << true;
    QTest::newRow("each before the last item") << false;
}

static QString numberedKey(int n)
{
    return u"k%1"_s.arg(n, 3, 10, QLatin1Char('0'));
}

void TstTeachingList::manyInsertsAtOnePlace()
{
    QFETCH(bool, descending);
    TeachingList list;
    list.setEntries({u"zzz\\last\\\r\n"_s});
    for (int i = 0; i < 200; ++i) {
        const int n = descending ? 199 - i : i;
        list.insertEntry(numberedKey(n) + u"\\r\\\r\n"_s);
    }
    QCOMPARE(list.count(), 201);
    for (int n = 0; n < 200; ++n)
        QCOMPARE(list.findKey(numberedKey(n)), n);
    QCOMPARE(list.findKey(u"zzz"_s), 200);
}

void TstTeachingList::replaceKeepsRowAndCount()
{
    TeachingList list;
    list.setEntries({u"abc\\1\\\r\n"_s, u"bye\\88\\\r\n"_s, u"hello\\hi\\\r\n"_s});
    list.replaceEntry(0, u"zoo\\new\\\r\n"_s);
    // The replaced item stays where it was, though it now sorts last.
    QCOMPARE(list.entries(),
             QStringList({u"zoo\\new\\\r\n"_s, u"bye\\88\\\r\n"_s, u"hello\\hi\\\r\n"_s}));
    QCOMPARE(list.findKey(u"abc"_s), -1);
    QCOMPARE(list.findKey(u"zoo"_s), 0);
    list.replaceEntry(3, u"x\\y\\\r\n"_s);
    QCOMPARE(list.count(), 3);
}

void TstTeachingList::editsKeepLookupsRight_data()
{
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("edits");
    QTest::addColumn<int>("keyRange");

    // Few keys: many items share one, and replacing keeps moving them between keys.
    QTest::newRow("shared keys") << 20 << 400 << 8;
    // Thousands of inserts and removals into a key index that starts nearly empty.
    QTest::newRow("growing index") << 5 << 3000 << 2000;
    // Every item under one key: a replace must take out its own id from among all the others
    // filed under the same hash, and the lookup must still give the first holder in the list.
    QTest::newRow("one key for all") << 50 << 500 << 1;
    QTest::newRow("loaded table edited") << 1000 << 2000 << 1500;
    QTest::newRow("empty table") << 0 << 500 << 100;
}

void TstTeachingList::editsKeepLookupsRight()
{
    QFETCH(int, loaded);
    QFETCH(int, edits);
    QFETCH(int, keyRange);
    QRandomGenerator random(quint32(loaded + edits + keyRange));
    const auto entry = [&](int key) {
        return u"键%1\\回复%2\\\r\n"_s.arg(key).arg(random.bounded(1000));
    };
    const auto keyOf = [](const QString &text) { return TeachingList::keyOf(text); };

    QStringList entries;
    for (int i = 0; i < loaded; ++i)
        entries << entry(int(random.bounded(keyRange)));
    TeachingList list;
    list.setEntries(entries);
    // What the list must hold, kept the plain way: the texts in list order.
    QStringList expected = list.entries();

    for (int i = 0; i < edits; ++i) {
        const QString text = entry(int(random.bounded(keyRange)));
        if (random.bounded(2) == 0 || expected.isEmpty()) {
            const int row = list.insertEntry(text);
            expected.insert(row, text);
        } else {
            const int row = int(random.bounded(expected.size()));
            list.replaceEntry(row, text);
            expected[row] = text;
        }
    }
    QCOMPARE(list.entries(), expected);
    for (int key = 0; key < keyRange; ++key) {
        const QString wanted = u"键%1"_s.arg(key);
        const auto first = std::find_if(expected.cbegin(), expected.cend(),
                                        [&](const QString &e) { return keyOf(e) == wanted; });
        const int expectedRow = first == expected.cend() ? -1 : int(first - expected.cbegin());
        QCOMPARE(list.findKey(wanted), expectedRow);
    }
}

void TstTeachingList::snapshotKeepsItsEntries()
{
    // A save on a worker reads a snapshot while the list may change.
    TeachingList list;
    list.setEntries({u"b\\2\\\r\n"_s, u"d\\4\\\r\n"_s});
    list.insertEntry(u"c\\3\\\r\n"_s);
    const TeachingList::Snapshot snapshot = list.snapshot();
    list.insertEntry(u"a\\1\\\r\n"_s);
    list.replaceEntry(2, u"c\\changed\\\r\n"_s);
    list.clear();

    QStringList seen;
    for (qsizetype row = 0; row < snapshot.size(); ++row)
        seen << snapshot.at(row).toString();
    QCOMPARE(seen, (QStringList{u"b\\2\\\r\n"_s, u"c\\3\\\r\n"_s, u"d\\4\\\r\n"_s}));
}

void TstTeachingList::findKeyGivesFirstInListOrder()
{
    TeachingList list;
    list.setEntries({u"hi\\b\\\r\n"_s, u"hello\\1\\\r\n"_s, u"hi\\a\\\r\n"_s, u"hola\\x\\\r\n"_s});
    // hello, hi\a, hi\b, hola
    QCOMPARE(list.findKey(u"hi"_s), 1);
    QCOMPARE(list.findKey(u"h"_s), -1);
    QCOMPARE(list.findKey(u"Hi"_s), -1);

    QCOMPARE(list.insertEntry(u"hi\\0\\\r\n"_s), 1);
    QCOMPARE(list.findKey(u"hi"_s), 1);
    QCOMPARE(list.insertEntry(u"abc\\0\\\r\n"_s), 0);
    QCOMPARE(list.findKey(u"hi"_s), 2);
    QCOMPARE(list.findKey(u"hola"_s), 5);

    // abc, hello, hi\0, hi\a, hi\b, hola: renaming the first hi hands the key to the next one,
    // and a key given to a later row does not outrank an earlier holder.
    list.replaceEntry(2, u"other\\0\\\r\n"_s);
    QCOMPARE(list.findKey(u"hi"_s), 3);
    QCOMPARE(list.findKey(u"other"_s), 2);
    list.replaceEntry(5, u"other\\1\\\r\n"_s);
    QCOMPARE(list.findKey(u"other"_s), 2);
    QCOMPARE(list.findKey(u"hola"_s), -1);
    list.replaceEntry(0, u"other\\2\\\r\n"_s);
    QCOMPARE(list.findKey(u"other"_s), 0);
}

void TstTeachingList::displayDropsOnlyTheLineEnd_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("shown");

    QTest::newRow("CR LF") << u"bye\\88\\\r\n"_s << u"bye\\88\\"_s;
    QTest::newRow("no line end") << u"bye\\88\\"_s << u"bye\\88\\"_s;
    QTest::newRow("first-run last entry") << u"[rob]\\哎\\\r\n\r\n"_s << u"[rob]\\哎\\"_s;
}

void TstTeachingList::displayDropsOnlyTheLineEnd()
{
    QFETCH(QString, entry);
    QFETCH(QString, shown);

    TeachingList list;
    list.setEntries({entry});
    QCOMPARE(list.data(list.index(0), Qt::DisplayRole).toString(), shown);
    QCOMPARE(list.data(list.index(0), TeachingList::EntryRole).toString(), entry);
    QCOMPARE(list.entryAt(0), entry);
    QCOMPARE(list.findKey(TeachingList::keyOf(entry)), 0);
}

void TstTeachingList::emptyList()
{
    TeachingList list;
    list.setEntries({u"a\\b\\\r\n"_s});
    list.setEntries(QStringList());
    QCOMPARE(list.count(), 0);
    QCOMPARE(list.rowCount(), 0);
    QVERIFY(list.entries().isEmpty());
    QCOMPARE(list.findKey(u"a"_s), -1);
    QCOMPARE(list.entryAt(0), QString());
    QCOMPARE(list.insertEntry(u"a\\b\\\r\n"_s), 0);
    QCOMPARE(list.findKey(u"a"_s), 0);
}

void TstTeachingList::modelSignals()
{
    TeachingList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&list, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&list, &QAbstractItemModel::rowsInserted);
    QSignalSpy changes(&list, &QAbstractItemModel::dataChanged);

    list.setEntries({u"bye\\88\\\r\n"_s, u"hello\\hi\\\r\n"_s});
    QCOMPARE(resets.size(), 1);

    list.insertEntry(u"good\\ok\\\r\n"_s);
    QCOMPARE(inserts.size(), 1);
    QCOMPARE(inserts.at(0).at(1).toInt(), 1);
    QCOMPARE(inserts.at(0).at(2).toInt(), 1);

    list.replaceEntry(2, u"hello\\hey\\\r\n"_s);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).at(0).toModelIndex().row(), 2);
    QCOMPARE(changes.at(0).at(1).toModelIndex().row(), 2);

    list.clear();
    QCOMPARE(resets.size(), 2);
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(inserts.size(), 1);
}

QTEST_GUILESS_MAIN(TstTeachingList)
#include "tst_teachinglist.moc"
