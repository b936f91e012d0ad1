// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The crisis check: what counts as a user in crisis, what only looks like it, and what the
// robot may answer.

#include "common/TextRules.h"
#include "conversation/CrisisCare.h"
#include "knowledge/GbkCodec.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TstCrisisCare : public QObject
{
    Q_OBJECT

private slots:
    void recognisesCrisis_data();
    void recognisesCrisis();
    void caringLines_data();
    void caringLines();
};

void TstCrisisCare::recognisesCrisis_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("concern");

    // Messages are checked as the robot sees them: spaces out, lower case.
    QTest::newRow("想死") << u"我想死"_s << true;
    QTest::newRow("想死, then more") << u"我真的好想死，太累了"_s << true;
    QTest::newRow("想死你, then more") << u"我想死你别管我"_s << true;
    QTest::newRow("想死了") << u"我想死了"_s << true;
    QTest::newRow("想去死") << u"有时候真想去死"_s << true;
    QTest::newRow("自杀") << u"我想自杀"_s << true;
    QTest::newRow("杀了我自己") << u"我想杀了我自己"_s << true;
    QTest::newRow("杀死自己") << u"真想杀死自己"_s << true;
    QTest::newRow("不想活") << u"我不想活了"_s << true;
    QTest::newRow("活着没意思") << u"感觉活着没意思"_s << true;
    QTest::newRow("活着有什么意思") << u"活着有什么意思啊"_s << true;
    QTest::newRow("活不下去") << u"我快活不下去了"_s << true;
    QTest::newRow("活着没什么意思") << u"活着没什么意思，每天都不知道为了什么"_s << true;
    QTest::newRow("活着好累") << u"活着好累，真的撑不下去了"_s << true;
    QTest::newRow("消失") << u"要是我消失了，大家是不是都会轻松一点"_s << true;
    QTest::newRow("再也不醒") << u"好想睡一觉就再也不醒来"_s << true;
    QTest::newRow("遗书") << u"遗书我已经写好了"_s << true;
    QTest::newRow("from the roof") << u"我想从楼顶跳下去"_s << true;
    QTest::newRow("划自己") << u"我又用刀片划自己了"_s << true;
    QTest::newRow("轻生") << u"我有轻生的念头"_s << true;
    QTest::newRow("结束自己的生命") << u"我想结束自己的生命"_s << true;
    QTest::newRow("了结自己") << u"想了结自己"_s << true;
    QTest::newRow("割腕") << u"我昨天割腕了"_s << true;
    QTest::newRow("跳楼") << u"我想跳楼"_s << true;
    QTest::newRow("安眠药") << u"我攒了一瓶安眠药"_s << true;
    QTest::newRow("自残") << u"我又自残了"_s << true;
    QTest::newRow("伤害自己") << u"我控制不住想伤害自己"_s << true;
    QTest::newRow("死了算了") << u"我死了算了"_s << true;
    QTest::newRow("想不开") << u"我有点想不开"_s << true;
    QTest::newRow("English, spaced") << u"I want to die"_s << true;
    QTest::newRow("English, capitals") << u"Thinking about SUICIDE"_s << true;
    QTest::newRow("look-alike cut out, crisis stays") << u"想死你了，可我真的想死"_s << true;
    QTest::newRow("price next to a real one") << u"跳楼价也没用，我想跳楼"_s << true;

    QTest::newRow("想死你了: I miss you") << u"想死你了"_s << false;
    QTest::newRow("想死你们啦") << u"好想死你们啦！"_s << false;
    QTest::newRow("想死我了: missed me") << u"你可算来了，想死我了"_s << false;
    QTest::newRow("想你想死了") << u"我想你想死了"_s << false;
    QTest::newRow("想家想死") << u"想家想死了"_s << false;
    QTest::newRow("你想死吗: a joking threat") << u"你想死吗"_s << false;
    QTest::newRow("笑死我了") << u"笑死我了"_s << false;
    QTest::newRow("热死了") << u"今天热死了"_s << false;
    QTest::newRow("累死了") << u"上班累死了"_s << false;
    QTest::newRow("饿死了") << u"饿死了，吃什么"_s << false;
    QTest::newRow("困死了") << u"困死了"_s << false;
    QTest::newRow("气死我了") << u"气死我了"_s << false;
    QTest::newRow("吓死我了") << u"吓死我了"_s << false;
    QTest::newRow("杀毒") << u"杀毒软件哪个好"_s << false;
    QTest::newRow("跳楼价") << u"这衣服跳楼价"_s << false;
    QTest::newRow("跳楼机") << u"我想坐跳楼机"_s << false;
    QTest::newRow("不想活动") << u"我不想活动"_s << false;
    QTest::newRow("死机") << u"电脑想死机就死机"_s << false;
    QTest::newRow("死心了") << u"我想死心了"_s << false;
    QTest::newRow("计划自己") << u"我想好好计划自己的未来"_s << false;
    QTest::newRow("活着真好") << u"活着真好"_s << false;
    QTest::newRow("死 in a game") << u"这关太难了，我都死了十几次了"_s << false;
    QTest::newRow("撑 at the table") << u"我吃撑了，走不动"_s << false;
}

void TstCrisisCare::recognisesCrisis()
{
    QFETCH(QString, typed);
    QFETCH(bool, concern);

    QCOMPARE(CrisisCare::concerns(TextRules::normalise(typed)), concern);
}

void TstCrisisCare::caringLines_data()
{
    QTest::addColumn<QString>("line");

    const QStringList &lines = CrisisCare::caringLines();
    QVERIFY(lines.size() >= 4 && lines.size() <= 6);
    for (qsizetype i = 0; i < lines.size(); ++i)
        QTest::addRow("line %d", int(i + 1)) << lines.at(i);
}

void TstCrisisCare::caringLines()
{
    QFETCH(QString, line);

    // Each line can stand alone: it sends the user to people who can help, names no number
    // (the user's region is unknown), and survives the file's code page and the reply path.
    QVERIFY2(line.contains(u"信任"_s), qPrintable(line));
    QVERIFY2(line.contains(u"热线"_s), qPrintable(line));
    QVERIFY2(!line.contains(QRegularExpression(u"[0-9０-９]"_s)), qPrintable(line));
    QVERIFY2(!line.contains(u'[') && !line.contains(u'|') && !line.contains(u'\\'),
             qPrintable(line));
    QVERIFY(GbkCodec::encode(line).has_value());
}

QTEST_GUILESS_MAIN(TstCrisisCare)
#include "tst_crisiscare.moc"
