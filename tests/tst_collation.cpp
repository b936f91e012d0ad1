// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/KeyCollator.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <thread>

using namespace Qt::StringLiterals;

class TstCollation : public QObject
{
    Q_OBJECT

private slots:
    void listedKeysKeepTheirOrder();
    void sortKeysAgreeWithCompare();
    void caseIsIgnored_data();
    void caseIsIgnored();
    void classesAndPinyin_data();
    void classesAndPinyin();
    void copiesOrderAlike_data();
    void copiesOrderAlike();

private:
    // The listed keys as entry texts (key + "\"), without the final "[rob]", which stands
    // outside the order on purpose.
    static QStringList listedEntries();
    // The listed entries shuffled and sorted again by collator, ties in their listed order.
    static QStringList resorted(const KeyCollator &collator, const QStringList &listed);
    KeyCollator m_collator;
};

QStringList TstCollation::listedEntries()
{
    QFile file(QStringLiteral(MIAOYU_TEST_DATA "/listed_keys.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList keys = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (keys.isEmpty() || keys.takeLast() != "[rob]"_L1)
        return {};
    for (QString &key : keys)
        key += u'\\';
    return keys;
}

void TstCollation::listedKeysKeepTheirOrder()
{
    const QStringList listed = listedEntries();
    QCOMPARE(listed.size(), 463);

    // Keys that compare equal are the only ones whose order the collator cannot decide;
    // in the listed set that must be the half- and full-width "!!" alone.
    QStringList ties;
    for (qsizetype i = 1; i < listed.size(); ++i) {
        const int order = m_collator.compare(listed.at(i - 1), listed.at(i));
        QVERIFY2(order <= 0, qPrintable(listed.at(i - 1) + " > "_L1 + listed.at(i)));
        if (order == 0)
            ties << listed.at(i - 1) + u'=' + listed.at(i);
    }
    QCOMPARE(ties, QStringList{u"!!\\=！！\\"_s});

    QCOMPARE(resorted(m_collator, listed), listed);
}

QStringList TstCollation::resorted(const KeyCollator &collator, const QStringList &listed)
{
    QStringList shuffled = listed;
    std::shuffle(shuffled.begin(), shuffled.end(), QRandomGenerator(20240601));
    if (shuffled == listed)
        return {};
    std::sort(shuffled.begin(), shuffled.end(), [&](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : listed.indexOf(a) < listed.indexOf(b);
    });
    return shuffled;
}

void TstCollation::sortKeysAgreeWithCompare()
{
    const QStringList listed = listedEntries();
    QVERIFY(!listed.isEmpty());
    QRandomGenerator random(7);
    int decided = 0;
    for (int i = 0; i < 5000; ++i) {
        const QString &a = listed.at(random.bounded(listed.size()));
        // Half the pairs share a long beginning, which the key starts alone cannot tell apart.
        const QString b = random.bounded(2) ? listed.at(random.bounded(listed.size()))
                                            : a.left(random.bounded(a.size() + 1)) + u"乙b"_s;
        const auto byKey = m_collator.sortKeyStart(a) <=> m_collator.sortKeyStart(b);
        const int direct = m_collator.compare(a, b);
        if (direct == 0)
            QVERIFY2(byKey == 0, qPrintable(a + " vs "_L1 + b));
        else if (byKey != 0)
            QVERIFY2((byKey < 0) == (direct < 0), qPrintable(a + " vs "_L1 + b));
        decided += byKey != 0;
    }
    // The starts decide most pairs, or they would save nothing.
    QVERIFY2(decided > 2500, qPrintable(QString::number(decided)));
}

void TstCollation::caseIsIgnored_data()
{
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");

    QTest::newRow("latin word") << u"hello\\hi\\"_s << u"HELLO\\HI\\"_s;
    QTest::newRow("mixed case") << u"qq号码\\"_s << u"Qq号码\\"_s;
    QTest::newRow("replies") << u"bye\\bye bye!\\"_s << u"bye\\BYE BYE!\\"_s;
}

void TstCollation::caseIsIgnored()
{
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QCOMPARE(m_collator.compare(lower, upper), 0);
    QVERIFY(m_collator.sortKeyStart(lower) == m_collator.sortKeyStart(upper));
}

void TstCollation::classesAndPinyin_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("symbol, digit") << u"^_^"_s << u"0"_s;
    QTest::newRow("placeholder among symbols") << u"[rob]\\"_s << u"123\\"_s;
    QTest::newRow("digit, latin") << u"9"_s << u"a"_s;
    QTest::newRow("upper latin, chinese") << u"ZZZ"_s << u"啊"_s;
    QTest::newRow("latin, chinese") << u"zzz"_s << u"阿"_s;
    QTest::newRow("pinyin a, ai") << u"啊"_s << u"爱"_s;
    QTest::newRow("pinyin bai, zhu") << u"白"_s << u"猪"_s;
    QTest::newRow("shorter first") << u"你\\"_s << u"你好\\"_s;
    QTest::newRow("行 before hao") << u"行"_s << u"好"_s;
    QTest::newRow("只 as zhi, before 知") << u"只"_s << u"知"_s;
}

void TstCollation::classesAndPinyin()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QVERIFY(m_collator.compare(before, after) < 0);
    QVERIFY(m_collator.compare(after, before) > 0);
}

void TstCollation::copiesOrderAlike_data()
{
    QTest::addColumn<bool>("sourceUsed");
    QTest::addColumn<bool>("assigned");
    QTest::addColumn<bool>("onWorker");

    // The window copies its list's collator, never used, for the worker that sorts teaching.
    QTest::newRow("copy of an unused one, on a worker") << false << false << true;
    QTest::newRow("copy of a used one, on a worker") << true << false << true;
    QTest::newRow("copy of an unused one, here") << false << false << false;
    QTest::newRow("copy of a used one, here") << true << false << false;
    QTest::newRow("assigned over a used one, on a worker") << true << true << true;
    QTest::newRow("assigned over a used one, here") << true << true << false;
}

void TstCollation::copiesOrderAlike()
{
    QFETCH(bool, sourceUsed);
    QFETCH(bool, assigned);
    QFETCH(bool, onWorker);
    const QStringList listed = listedEntries();
    QVERIFY(!listed.isEmpty());

    KeyCollator source;
    if (sourceUsed)
        QVERIFY(source.compare(u"啊"_s, u"爱"_s) < 0);
    KeyCollator copy(source);
    if (assigned) {
        QVERIFY(copy.compare(u"9"_s, u"a"_s) < 0);
        copy = source;
    }
    QStringList byCopy;
    if (onWorker) {
        // A plain thread, joined: the thread checker sees the join order the result, where it
        // cannot see Qt's pool hand a task to a thread it started for an earlier row.
        std::thread worker([&] { byCopy = resorted(copy, listed); });
        worker.join();
    } else {
        byCopy = resorted(copy, listed);
    }
    QCOMPARE(byCopy, listed);
    // Using the copy leaves the original as it was.
    QCOMPARE(resorted(source, listed), listed);
    QVERIFY(copy.sortKeyStart(u"行"_s) == source.sortKeyStart(u"行"_s));
}

QTEST_GUILESS_MAIN(TstCollation)
#include "tst_collation.moc"
