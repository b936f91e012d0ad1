// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "common/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/KeyCollator.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// The first-run file as the program writes it, checked against what the rest of the program
// and the shipped personality rely on.
class TstDefaultKnowledge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void header();
    void lists_data();
    void lists();
    void tableHoldsEveryListedKeyInOrder();
    void tableIsInTeachingOrder();
    void replyCounts();
    void quotedRows_data();
    void quotedRows();
    void bytesAreGbkWithCrLf();
    void entriesKeepTheContentRules();

private:
    static QStringList listedKeys();
    static QString siteHost() { return u"miaoyutong"_s; }
    static QString userName() { return u"小明"_s; }

    QByteArray m_bytes;
    KnowledgeBase m_base;
};

QStringList TstDefaultKnowledge::listedKeys()
{
    QFile file(QStringLiteral(MIAOYU_TEST_DATA "/listed_keys.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void TstDefaultKnowledge::initTestCase()
{
    const auto bytes = KnowledgeFile::firstRunBytes(userName());
    QVERIFY(bytes);
    m_bytes = *bytes;
    Result<KnowledgeBase> parsed = KnowledgeBase::parse(m_bytes);
    QVERIFY2(parsed, qPrintable(parsed.reason()));
    m_base = *std::move(parsed);
}

void TstDefaultKnowledge::header()
{
    // "|小明|" CR LF, then the first marker: the name really is written in GBK.
    QVERIFY(m_bytes.startsWith(QByteArray::fromHex("7cd0a1c3f77c0d0a") + "[AI_Dat]\r\n"));
    QCOMPARE(m_base.userName, userName());
    QCOMPARE(m_bytes.count("[AI_Dat]"), 7);
    QCOMPARE(m_base.entryCount(), 465);
}

void TstDefaultKnowledge::lists_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("filter words") << m_base.filterWords << u"过滤词："_s << 14 << u"操你妈"_s
                                  << u"傻B"_s;
    QTest::newRow("dirty replies")
        << m_base.dirtyReplies << u"说脏话回复："_s << 3 << u"表说粗话好吗——"_s
        << u"你再说脏话，[rob]不理你了(￢︿￢☆)"_s;
    QTest::newRow("random questions") << m_base.randomQuestions << u"随机提问："_s << 14
                                      << u"What's wrong with you?"_s << u"不要冷落我好吗。。。"_s;
    QTest::newRow("random answers")
        << m_base.randomAnswers << u"随机回答："_s << 9
        << u"[rob]也会数学哦，现在[rob]只会加减乘除，计算公式要用 计算+算式 的格式输入哦！"_s
        << u"[rob]还有很多隐藏功能呢，回复“/help”告诉你怎么用"_s;
    QTest::newRow("no-answer replies")
        << m_base.noAnswerReplies << u"无答案回复："_s << 3 << u"你在说什么？我听不懂诶——"_s
        << u"额，这句话好有深意啊，教下我呗^_^"_s;
    QTest::newRow("welcome messages") << m_base.welcomeMessages << u"欢迎语："_s << 5
                                      << u"你好，我是[rob]，很高兴认识你！"_s << u"嗨!你好!"_s;
}

void TstDefaultKnowledge::lists()
{
    QFETCH(QStringList, list);
    QFETCH(QString, title);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);

    QCOMPARE(list.size(), count);
    // The section: a line end, the title line, then the items between bars on one line.
    const auto section =
        GbkCodec::encode("[AI_Dat]\r\n"_L1 + title + "\r\n|"_L1 + list.join(u'|') + "|\r\n"_L1);
    QVERIFY(section);
    QVERIFY(m_bytes.contains(*section));
    QCOMPARE(list.first(), first);
    QCOMPARE(list.last(), last);
    for (qsizetype i = 0; i < count; ++i) {
        QVERIFY2(!list.at(i).isEmpty(), qPrintable(u"item %1 is empty"_s.arg(i)));
        QVERIFY(!list.at(i).contains(u'\r') && !list.at(i).contains(u'\n'));
    }
}

void TstDefaultKnowledge::tableHoldsEveryListedKeyInOrder()
{
    const QStringList listed = listedKeys();
    QCOMPARE(listed.size(), 464);
    QCOMPARE(listed.last(), u"[rob]"_s);

    QStringList keys;
    for (const QStringView entry : m_base.keywordTable)
        keys << KnowledgeEntry::key(entry).toString();

    QStringList expected = listed;
    expected.insert(expected.indexOf(u"lanke42是谁"_s) + 1, siteHost());
    QCOMPARE(keys, expected);
    QCOMPARE(keys.indexOf(siteHost()), keys.indexOf(u"mm"_s) - 1);
}

void TstDefaultKnowledge::tableIsInTeachingOrder()
{
    // Every entry but "[rob]" sits where the sorted teaching list would put it, so that the
    // first save of an unchanged table moves only that one entry.
    const KeyCollator collator;
    const QStringList table = m_base.keywordTable.toList();
    for (qsizetype i = 1; i < table.size() - 1; ++i) {
        QVERIFY2(collator.compare(table.at(i - 1), table.at(i)) <= 0,
                 qPrintable(KnowledgeEntry::key(table.at(i - 1)).toString() + " sorts after "_L1 +
                            KnowledgeEntry::key(table.at(i)).toString()));
    }
    QVERIFY(collator.compare(table.at(table.size() - 2), table.last()) > 0);
}

void TstDefaultKnowledge::replyCounts()
{
    QMap<qsizetype, int> entriesByReplies;
    for (const QStringView entry : m_base.keywordTable)
        ++entriesByReplies[KnowledgeEntry::replies(entry).size()];

    const QMap<qsizetype, int> expected{{1, 7}, {2, 291}, {3, 146}, {4, 17}, {5, 3}, {7, 1}};
    QCOMPARE(entriesByReplies, expected);
    QCOMPARE(KnowledgeEntry::replies(m_base.keywordTable.last()).size(), 7);
}

void TstDefaultKnowledge::quotedRows_data()
{
    QTest::addColumn<QString>("row");

    QTest::newRow("!!") << u"|!!\\你生气了吗?\\怎么啦?\\为什么用这种语气?\\"_s;
    QTest::newRow("hello") << u"|hello\\Hi~很高兴能和你聊天\\HELLO,HOW ARE YOU?\\Hi~\\"_s;
    QTest::newRow("bye") << u"|bye\\88.....\\BYE BYE!\\88888888\\"_s;
    QTest::newRow("help")
        << u"|help\\How can I help you?\\你应该输入\"/help\"\\需要什么帮助吗?\\"_s;
    QTest::newRow("today")
        << u"|今天是\\[day],不错的日子呀!\\哦,我知道了,今天是[day]\\嗯嗯,[day]\\"_s;
    QTest::newRow("qq auto") << u"|qq自动\\输入\"/qqt\"就可以实现QQ自动聊天啦\\跟我念\"/qqt\"\\"_s;
    QTest::newRow("robot")
        << u"|[rob]\\叫我干嘛？\\哎\\哦\\啊\\额\\Do you have anything?\\主人，有何吩咐？\\"_s;
}

void TstDefaultKnowledge::quotedRows()
{
    QFETCH(QString, row);

    const auto gbk = GbkCodec::encode(row);
    QVERIFY(gbk);
    QVERIFY2(m_bytes.contains("\r\n" + *gbk + "\r\n"), qPrintable(row));
    QVERIFY(m_base.keywordTable.toList().contains(row.mid(1) + "\r\n"_L1) ||
            m_base.keywordTable.last() == row.mid(1) + "\r\n\r\n"_L1);
}

void TstDefaultKnowledge::bytesAreGbkWithCrLf()
{
    // Spot checks that need no codec: "|你好\" and the first title, as GBK byte pairs.
    QVERIFY(m_bytes.contains("\r\n|" + QByteArray::fromHex("c4e3bac3") + "\\"));
    QVERIFY(m_bytes.contains("[AI_Dat]\r\n" + QByteArray::fromHex("b9fdc2cbb4caa3ba") + "\r\n"));

    const QString text = GbkCodec::decode(m_bytes);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
    const auto back = GbkCodec::encode(text);
    QVERIFY(back);
    QCOMPARE(*back, m_bytes);

    // Header, 484 lines of the default text, and the closing line end of the first-run file.
    QCOMPARE(m_bytes.count("\r\n"), 486);
    QCOMPARE(m_bytes.count('\n'), 486);
    QCOMPARE(m_bytes.count('\r'), 486);
    QVERIFY(m_bytes.endsWith("\\\r\n\r\n"));
}

void TstDefaultKnowledge::entriesKeepTheContentRules()
{
    static const QRegularExpression placeholder(u"\\[[^\\]]*\\]"_s);
    static const QSet<QString> placeholders{u"[rob]"_s, u"[day]"_s, u"[time]"_s};
    const QStringList table = m_base.keywordTable.toList();
    QVERIFY(m_bytes.contains("[AI_Dat]\r\n|"));

    QSet<QString> keys;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QStringList parts = table.at(i).split(u'\\');
        const QString &key = parts.first();
        const QString where = u"entry %1 (%2)"_s.arg(i).arg(key);
        QVERIFY2(parts.size() >= 3, qPrintable(where));
        QVERIFY2(!key.isEmpty() && key == key.toLower() && !key.contains(u' '), qPrintable(where));
        QVERIFY2(!keys.contains(key), qPrintable(where + " is a duplicate"_L1));
        keys.insert(key);
        QCOMPARE(parts.last(), i == table.size() - 1 ? "\r\n\r\n"_L1 : "\r\n"_L1);

        for (qsizetype r = 1; r < parts.size() - 1; ++r) {
            const QString &reply = parts.at(r);
            QVERIFY2(!reply.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(!reply.contains(u'\r') && !reply.contains(u'\n'), qPrintable(where));
            for (auto it = placeholder.globalMatch(reply); it.hasNext();) {
                const QString found = it.next().captured();
                QVERIFY2(placeholders.contains(found), qPrintable(where + u' ' + found));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TstDefaultKnowledge)
#include "tst_defaultknowledge.moc"
