// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Realistic first messages, each marked with the answers that fit it, run through the reply
// engine over the default knowledge: how many get a fitting reply, a misfit or the no-answer
// line. Written by someone who had not seen the table; marked by someone who had. Beside them:
// messages that really reach each reworded entry, and for the evaluation set's messages that
// reach one, whether each of the entry's lines fits.

#include "care/Care.h"
#include "common/TextRules.h"
#include "conversation/ReplyEngine.h"
#include "conversation/RobotProfile.h"
#include "conversation/RobotText.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "support/Fakes.h"
#include "teaching/ShadowHint.h"
#include "teaching/TeachingList.h"

#include <QFile>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A message and how it may be answered: keys of the entries that fit it, and any of
// "noanswer" (no entry fits: the no-answer line is right), "crisis", "command", "rebuke" (the
// rude-word line) and "calc:<value>".
struct Marked
{
    QString message;
    QStringList expected;
    QString care; // what care should answer: none, self or distress
};

QList<Marked> markedMessages()
{
    QFile file(QStringLiteral(MIAOYU_TEST_DATA "/reply_fit.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Marked> marked;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList columns = lines.at(i).split(u'\t');
        if (columns.size() >= 2) {
            marked.append({columns.at(0), columns.at(1).split(u' ', Qt::SkipEmptyParts),
                           columns.value(3, QStringLiteral("none"))});
        }
    }
    return marked;
}

// Rows of a tab-separated file under tests/data, header skipped.
QList<QStringList> tableRows(const QString &name)
{
    QFile file(QStringLiteral(MIAOYU_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i)
        rows.append(lines.at(i).split(u'\t'));
    return rows;
}

// The share of judged lines that fit, just under what the shipped lines reach (202 of 254; 76
// before the entries were reworded).
constexpr double LineShareFloor = 0.75;

enum class Outcome
{
    Fitting,
    Misfit,
    NoAnswer
};

} // namespace

class TstReplyFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void marksAreWellFormed_data();
    void marksAreWellFormed();
    void careOnlyWhereMarked_data();
    void careOnlyWhereMarked();
    void routeDecidesTheAnswerAndTheHint_data();
    void routeDecidesTheAnswerAndTheHint();
    void sharesOfFittingReplies();
    void voiceMessagesReachTheirKey_data();
    void voiceMessagesReachTheirKey();
    void everyLineOfAMarkedEntryIsJudged_data();
    void everyLineOfAMarkedEntryIsJudged();
    void shareOfFittingLines();

private:
    void addRows();
    // The entry the engine answers the message from, or -1 when another way answers it.
    qsizetype entryFor(const QString &message) const;
    static bool answeredAsDistress(const QString &message);
    Outcome outcome(const Marked &marked) const;

    QList<Marked> m_marked;
    KnowledgeBase m_base;
    QHash<QString, QStringList> m_repliesByKey;
    // Message, then one of its entry's lines, to whether that line fits the message.
    QHash<QString, QHash<QString, bool>> m_lineFits;
};

void TstReplyFit::initTestCase()
{
    m_marked = markedMessages();
    QVERIFY(m_marked.size() >= 150);

    const auto bytes = KnowledgeFile::firstRunBytes(u"小明"_s);
    QVERIFY(bytes);
    Result<KnowledgeBase> parsed = KnowledgeBase::parse(*bytes);
    QVERIFY2(parsed, qPrintable(parsed.reason()));
    m_base = *std::move(parsed);
    for (const QStringView entry : m_base.keywordTable)
        m_repliesByKey.insert(KnowledgeEntry::key(entry).toString(),
                              KnowledgeEntry::replies(entry));

    for (const QStringList &row : tableRows(u"reply_lines.tsv"_s)) {
        QVERIFY2(row.size() == 3 && (row.at(2) == "fits"_L1 || row.at(2) == "misfits"_L1),
                 qPrintable(row.join(u'\t')));
        m_lineFits[row.at(0)].insert(row.at(1), row.at(2) == "fits"_L1);
    }
    QVERIFY(!m_lineFits.isEmpty());
}

bool TstReplyFit::answeredAsDistress(const QString &message)
{
    return Care::builtIn().concernOf(TextRules::normalise(message), message) ==
           Care::Concern::Distress;
}

qsizetype TstReplyFit::entryFor(const QString &message) const
{
    QString normalised = TextRules::normalise(message);
    const ReplyEngine::Route way =
        ReplyEngine::route(normalised, m_base, RobotProfile::builtIn().name);
    return way.way == ReplyEngine::Route::Way::Entry ? way.entry : -1;
}

void TstReplyFit::addRows()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("expected");
    for (const Marked &marked : std::as_const(m_marked))
        QTest::newRow(qPrintable(marked.message)) << marked.message << marked.expected;
}

void TstReplyFit::marksAreWellFormed_data()
{
    addRows();
}

void TstReplyFit::marksAreWellFormed()
{
    QFETCH(QString, message);
    QFETCH(QStringList, expected);

    // A mark that names no entry of the table (a typo, or a key that has since gone) would
    // quietly count the message as a misfit.
    static const QStringList paths{u"noanswer"_s, u"crisis"_s, u"command"_s, u"rebuke"_s};
    QVERIFY(!expected.isEmpty());
    for (const QString &mark : std::as_const(expected)) {
        QVERIFY2(paths.contains(mark) || mark.startsWith(u"calc:"_s) ||
                     m_repliesByKey.contains(mark),
                 qPrintable(mark));
    }
}

void TstReplyFit::careOnlyWhereMarked_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("care");
    for (const Marked &marked : std::as_const(m_marked))
        QTest::newRow(qPrintable(marked.message)) << marked.message << marked.care;
}

void TstReplyFit::careOnlyWhereMarked()
{
    QFETCH(QString, message);
    QFETCH(QString, care);

    // Every message marked as a crisis must reach the lines for a person at risk (or acting
    // now), and nothing else may; only a message marked as distress may get the lines for
    // distress (the wordings do not hear every one); none of these people asks how to help
    // someone.
    QString normalised = TextRules::normalise(message);
    const Care::Concern concern = Care::builtIn().concernOf(normalised, message);
    QCOMPARE(concern == Care::Concern::Self || concern == Care::Concern::Now, care == u"self"_s);
    if (concern == Care::Concern::Distress)
        QCOMPARE(care, u"distress"_s);
    QVERIFY(concern != Care::Concern::SomeoneElse);
    ScriptedRandom random;
    const Reply reply = ReplyEngine::respond(normalised, m_base, RobotProfile::builtIn().name,
                                             random, nullptr, message);
    QCOMPARE(reply.caring, concern != Care::Concern::None);
}

void TstReplyFit::routeDecidesTheAnswerAndTheHint_data()
{
    addRows();
    // The ways the evaluation set seldom takes.
    for (const QString &message : {u"/help"_s, u"计算1+2"_s, u"你真是个sb"_s, u"阿木你好"_s})
        QTest::newRow(qPrintable(message)) << message << QStringList();
}

void TstReplyFit::routeDecidesTheAnswerAndTheHint()
{
    QFETCH(QString, message);
    const QString name = RobotProfile::builtIn().name;
    const QString normalised = TextRules::normalise(message);

    // The answer follows the way the route names.
    QString routed = normalised;
    const ReplyEngine::Route way = ReplyEngine::route(routed, m_base, name);
    QString answered = normalised;
    ScriptedRandom random;
    const Reply reply = ReplyEngine::respond(answered, m_base, name, random);
    const QString text = reply.text.value_or(QString());
    using Way = ReplyEngine::Route::Way;
    QCOMPARE(reply.route.command, way.way == Way::Command ? way.command : ChatCommand::None);
    QCOMPARE(reply.caring, way.way == Way::Crisis);
    QCOMPARE(reply.kind == RobotText::NotUnderstood, way.way == Way::NoAnswer);
    if (way.way == Way::RudeWord)
        QVERIFY(m_base.dirtyReplies.contains(text));
    if (way.way == Way::Entry)
        QVERIFY(KnowledgeEntry::replies(m_base.keywordTable.at(way.entry)).contains(text));

    // Taught as a key, the message gets a hint exactly when, once the list is saved, the engine
    // would not answer it with the taught reply.
    if (normalised.contains(u'|') || normalised.contains(u'\\'))
        return;
    const QString taught = u"这是刚教的回复"_s;
    TeachingList list;
    list.setEntries(m_base.keywordTable);
    const QString entry = normalised + u'\\' + taught + u'\\';
    int row = list.findKey(normalised);
    if (row >= 0)
        list.replaceEntry(row, entry);
    else
        row = list.insertEntry(entry);
    const QString hint = ShadowHint::forEntry(normalised, row, list, name, m_base.filterWords);
    KnowledgeBase saved = m_base;
    saved.keywordTable = KeywordTable::fromEntries(list.entries());
    QString sent = normalised;
    const Reply afterSave = ReplyEngine::respond(sent, saved, name, random);
    QVERIFY2(hint.isEmpty() == (afterSave.text == taught), qPrintable(hint));
}

Outcome TstReplyFit::outcome(const Marked &marked) const
{
    const QStringList &expected = marked.expected;
    QString message = TextRules::normalise(marked.message);
    ScriptedRandom random;
    const Reply reply = ReplyEngine::respond(message, m_base, RobotProfile::builtIn().name, random,
                                             nullptr, marked.message);
    if (expected.contains(u"crisis"_s))
        return reply.caring && reply.route.concern != Care::Concern::SomeoneElse ? Outcome::Fitting
                                                                                 : Outcome::Misfit;
    if (reply.caring) // the lines for distress fit only what is marked as distress
        return reply.route.concern == Care::Concern::Distress && marked.care == u"distress"_s
                   ? Outcome::Fitting
                   : Outcome::Misfit;
    if (reply.route.command != ChatCommand::None)
        return expected.contains(u"command"_s) ? Outcome::Fitting : Outcome::Misfit;
    if (reply.kind == RobotText::NotUnderstood)
        return expected.contains(u"noanswer"_s) ? Outcome::Fitting : Outcome::NoAnswer;

    const QString text = reply.text.value_or(QString());
    for (const QString &mark : expected) {
        if (mark.startsWith(u"calc:"_s) && text.contains(mark.mid(5)))
            return Outcome::Fitting;
        if (mark == u"rebuke"_s && m_base.dirtyReplies.contains(text))
            return Outcome::Fitting;
        if (m_repliesByKey.value(mark).contains(text))
            return Outcome::Fitting;
    }
    return Outcome::Misfit;
}

void TstReplyFit::sharesOfFittingReplies()
{
    int counts[3] = {};
    QStringList misfits;
    for (const Marked &marked : std::as_const(m_marked)) {
        const Outcome result = outcome(marked);
        ++counts[int(result)];
        if (result == Outcome::Misfit)
            misfits << marked.message;
    }

    const double total = m_marked.size();
    const double fitting = counts[int(Outcome::Fitting)] / total;
    const double misfit = counts[int(Outcome::Misfit)] / total;
    const double noAnswer = counts[int(Outcome::NoAnswer)] / total;
    qInfo("%d messages: fitting %.1f%%, misfit %.1f%%, no-answer %.1f%%", int(total), 100 * fitting,
          100 * misfit, 100 * noAnswer);

    // Just under what the shipped table reaches (291 messages, 87 of them written after the
    // replies were last reworded, where questions ending in "？" meet the "？" row first): a
    // change to the default replies or to the engine that makes them fit fewer messages fails.
    const QString detail = u"misfits: "_s + misfits.join(u" | "_s);
    QVERIFY2(fitting >= 0.60, qPrintable(detail));
    QVERIFY2(misfit <= 0.18, qPrintable(detail));
}

void TstReplyFit::voiceMessagesReachTheirKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");
    QHash<QString, int> perKey;
    for (const QStringList &row : tableRows(u"voice_messages.tsv"_s)) {
        QVERIFY2(row.size() == 2, qPrintable(row.join(u'\t')));
        ++perKey[row.at(0)];
        QTest::addRow("%s: %s", qPrintable(row.at(0)), qPrintable(row.at(1)))
            << row.at(0) << row.at(1);
    }
    QVERIFY(!perKey.isEmpty());
    for (auto it = perKey.cbegin(); it != perKey.cend(); ++it)
        QVERIFY2(it.value() >= 10, qPrintable(it.key()));
}

void TstReplyFit::voiceMessagesReachTheirKey()
{
    QFETCH(QString, key);
    QFETCH(QString, message);

    // A reworded entry was written for these messages: one that now reaches another entry, or
    // care, no longer tells what the entry answers.
    if (answeredAsDistress(message))
        QSKIP("answered with the lines for distress, which no entry's lines stand in for");
    const qsizetype entry = entryFor(message);
    QVERIFY(entry >= 0);
    QCOMPARE(KnowledgeEntry::key(m_base.keywordTable.at(entry)).toString(), key);
}

void TstReplyFit::everyLineOfAMarkedEntryIsJudged_data()
{
    QTest::addColumn<QString>("message");
    for (auto it = m_lineFits.cbegin(); it != m_lineFits.cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key();
}

void TstReplyFit::everyLineOfAMarkedEntryIsJudged()
{
    QFETCH(QString, message);

    // Lines are judged for messages of the evaluation set; once an entry they reach is
    // reworded, its new lines must be judged again before the share below means anything.
    const bool inSet = std::any_of(m_marked.cbegin(), m_marked.cend(),
                                   [&](const Marked &marked) { return marked.message == message; });
    QVERIFY(inSet);
    if (answeredAsDistress(message))
        QSKIP("answered with the lines for distress, which no entry's lines stand in for");
    const qsizetype entry = entryFor(message);
    QVERIFY(entry >= 0);
    const QHash<QString, bool> &judged = m_lineFits.value(message);
    for (const QString &line : KnowledgeEntry::replies(m_base.keywordTable.at(entry)))
        QVERIFY2(judged.contains(line), qPrintable(u"not judged: "_s + line));
}

void TstReplyFit::shareOfFittingLines()
{
    int lines = 0;
    int fitting = 0;
    int messagesAllFit = 0;
    for (auto it = m_lineFits.cbegin(); it != m_lineFits.cend(); ++it) {
        const qsizetype entry = entryFor(it.key());
        if (entry < 0)
            continue;
        bool allFit = true;
        for (const QString &line : KnowledgeEntry::replies(m_base.keywordTable.at(entry))) {
            const bool fits = it.value().value(line, false);
            ++lines;
            fitting += fits ? 1 : 0;
            allFit = allFit && fits;
        }
        messagesAllFit += allFit ? 1 : 0;
    }
    QVERIFY(lines > 0);
    const double share = double(fitting) / lines;
    qInfo("%d messages with judged lines: %d of %d lines fit (%.1f%%); every line fits for %d",
          int(m_lineFits.size()), fitting, lines, 100 * share, messagesAllFit);

    // Just under what the shipped lines reach: a rewording that fits fewer lines fails.
    QVERIFY(share >= LineShareFloor);
}

QTEST_GUILESS_MAIN(TstReplyFit)
#include "tst_replyfit.moc"
