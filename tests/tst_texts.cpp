// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The program's Chinese sentences use Chinese punctuation. Every string in the sources is read;
// a half-width ",", ":", "?", ";", "!" or "." beside a Chinese character is a slip, except in
// the few texts the program has always said exactly so, listed here.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void chinesePunctuation_data();
    void chinesePunctuation();
};

namespace {

// Kept word for word: the first-run questions, the teaching refusals and thanks, the usage
// line, the robot's profile and the calculator's answers.
const QStringList Kept = {
    u"您好!我是妙语通,我叫 "_s,
    u"初次见面,请告诉我您的名字:"_s,
    u"喂喂,先别着急,我还不知道你的名字呢:"_s,
    u"本次调教未能成功,可能的原因:"_s,
    u"1,关键字或智能回复为空;"_s,
    u"2,关键字含有“|”或“\\\\”符号."_s,
    u"调教内容含有不良字眼."_s,
    u"调教成功!"_s,
    u"说明：多条回复请用“\\\\”分隔."_s,
    u"公的,帅哥"_s,
    u"地球村,中国"_s,
    u"我天生比较聪明,只要你教过我的东西,我一定会记住的!"_s,
    u"| 等于[JS]呀,拜托来点更高难度的| 这么简单你也不会呀,等于[JS]啊|"_s,
    u"我没算错的话,结果应该是[JS]|等于[JS],[rob]的计算绝对准确|"_s,
    // Not a sentence: the save dialog's file types, in Qt's ";;" syntax.
    u"数据文件 (*.ait);;所有文件 (*)"_s,
};

} // namespace

void TestTexts::chinesePunctuation_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("where");
    const QRegularExpression literal(uR"re("((?:[^"\\]|\\.)*)")re"_s);
    const QRegularExpression han(uR"(\p{Han})"_s);
    // The crisis phrases are patterns, not sentences.
    QDirIterator files(QStringLiteral(MIAOYU_SOURCE_DIR "/src"), {u"*.cpp"_s, u"*.h"_s},
                       QDir::Files, QDirIterator::Subdirectories);
    int texts = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.contains(u"/care/"_s))
            continue;
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (qsizetype n = 0; n < lines.size(); ++n) {
            for (const QRegularExpressionMatch &match : literal.globalMatch(lines.at(n))) {
                const QString text = match.captured(1);
                if (!text.contains(han) || Kept.contains(text))
                    continue;
                ++texts;
                QTest::newRow(qPrintable(
                    u"%1:%2 %3"_s.arg(path.section(u'/', -2), QString::number(n + 1), text)))
                    << text << path;
            }
        }
    }
    QVERIFY(texts > 100); // the sources were found and read
}

void TestTexts::chinesePunctuation()
{
    QFETCH(QString, text);
    static const QRegularExpression slip(
        uR"([\p{Han}“”（）][,:?;!]|[,:?;!][\p{Han}“”]|\p{Han}\.(?!\.))"_s);
    const QRegularExpressionMatch found = slip.match(text);
    QVERIFY2(!found.hasMatch(),
             qPrintable(u"half-width punctuation in “%1”"_s.arg(found.captured())));
}

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
