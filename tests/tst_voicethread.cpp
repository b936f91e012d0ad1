// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The voice's thread with an engine that starts no process: the order in which lines reach the
// engine, a slow or wedged engine never holding up the caller, and the mailbox between the two
// threads (run under ThreadSanitizer in the thread-checked build). Waits are for events, with
// bounds far above what any of them takes.

#include "support/FakeSpeechEngine.h"
#include "voice/QtSpeaker.h"
#include "voice/SpeechWorker.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr int Patience = 30000;     // for an event that comes in milliseconds
constexpr int AtOnceMs = 1000;      // say() and construction never wait for the engine
constexpr int BoundedExitMs = 5000; // the speaker waits 1.5 s for a stuck engine, then leaves it

} // namespace

class TestVoiceThread : public QObject
{
    Q_OBJECT

private slots:
    void speaksOnlyTheNewestLineQueuedWhileStarting();
    void stopsBeforeEveryLine();
    void withoutAVoiceNothingIsSpoken();
    void neverBlocksOnAStuckEngine_data();
    void neverBlocksOnAStuckEngine();
    void mailboxKeepsTheNewestAcrossThreads();
};

void TestVoiceThread::speaksOnlyTheNewestLineQueuedWhileStarting()
{
    auto log = std::make_shared<SpeechLog>();
    log->holdStart();
    QtSpeaker speaker(nullptr, FakeSpeechEngine::factory(log));
    QSignalSpy ready(&speaker, &QtSpeaker::ready);
    QVERIFY(log->waitFor([](const QStringList &calls) { return !calls.isEmpty(); }, Patience));
    speaker.say(u"旧话一"_s);
    speaker.say(u"旧话二"_s);
    speaker.say(u"最新的一句"_s);
    log->releaseStart();
    QVERIFY(ready.wait(Patience));
    QCOMPARE(ready.at(0).at(0).toString(), u"fake"_s);
    QVERIFY(log->waitFor([](const QStringList &calls) { return calls.size() >= 3; }, Patience));
    // Nothing else is on its way: one more line shows what came before it.
    speaker.say(u"后来的"_s);
    QVERIFY(
        log->waitFor([](const QStringList &c) { return c.contains(u"say 后来的"_s); }, Patience));
    QCOMPARE(log->calls(),
             QStringList({u"start"_s, u"stop"_s, u"say 最新的一句"_s, u"stop"_s, u"say 后来的"_s}));
}

void TestVoiceThread::stopsBeforeEveryLine()
{
    auto log = std::make_shared<SpeechLog>();
    QtSpeaker speaker(nullptr, FakeSpeechEngine::factory(log));
    QSignalSpy ready(&speaker, &QtSpeaker::ready);
    QVERIFY(ready.wait(Patience));
    QStringList expected = {u"start"_s};
    for (const QString &line : {u"第一句话"_s, u"第二句话"_s, u"第三句话"_s}) {
        speaker.say(line);
        QVERIFY(log->waitFor(
            [&line](const QStringList &calls) { return calls.contains(u"say "_s + line); },
            Patience));
        expected << u"stop"_s << u"say "_s + line;
    }
    QCOMPARE(log->calls(), expected);
}

void TestVoiceThread::withoutAVoiceNothingIsSpoken()
{
    auto log = std::make_shared<SpeechLog>();
    {
        QtSpeaker speaker(nullptr, FakeSpeechEngine::factory(log, std::nullopt));
        QSignalSpy ready(&speaker, &QtSpeaker::ready);
        QVERIFY(ready.wait(Patience));
        QCOMPARE(ready.at(0).at(0).toString(), QString());
        speaker.say(u"没有声音"_s);
    }
    // The speaker waited for its thread: every call the engine got is in.
    QCOMPARE(log->calls(), QStringList({u"start"_s, u"released"_s}));
}

void TestVoiceThread::neverBlocksOnAStuckEngine_data()
{
    QTest::addColumn<bool>("stuckInStart");
    // The engine still starting (the real one takes over a second, and can hang on a daemon).
    QTest::newRow("stuck starting") << true;
    // A daemon without a sound server wedges after a line, and the next stop() with it.
    QTest::newRow("stuck stopping") << false;
}

void TestVoiceThread::neverBlocksOnAStuckEngine()
{
    QFETCH(bool, stuckInStart);
    auto log = std::make_shared<SpeechLog>();
    if (stuckInStart)
        log->holdStart(); // never released
    else
        log->hangStopFrom(2);

    QElapsedTimer timer;
    timer.start();
    auto speaker = std::make_unique<QtSpeaker>(nullptr, FakeSpeechEngine::factory(log));
    QVERIFY2(timer.elapsed() < AtOnceMs, "construction waited for the engine");
    if (stuckInStart) {
        QVERIFY(
            log->waitFor([](const QStringList &c) { return c.contains(u"start"_s); }, Patience));
    } else {
        QSignalSpy ready(speaker.get(), &QtSpeaker::ready);
        QVERIFY(ready.wait(Patience));
        speaker->say(u"第一句话"_s);
        QVERIFY(log->waitFor([](const QStringList &c) { return c.contains(u"say 第一句话"_s); },
                             Patience));
        speaker->say(u"第二句话"_s);
        QVERIFY(
            log->waitFor([](const QStringList &c) { return c.count(u"stop"_s) == 2; }, Patience));
    }

    timer.restart();
    for (int i = 0; i < 5; ++i)
        speaker->say(u"还在说话 %1"_s.arg(i));
    QVERIFY2(timer.elapsed() < AtOnceMs, "say() waited for the engine");

    timer.restart();
    speaker.reset();
    QVERIFY2(timer.elapsed() < BoundedExitMs, "destruction waited for a stuck engine");
    // Whatever was said after the engine stuck never reached it.
    QVERIFY(!log->calls().contains(u"say 第二句话"_s));
}

void TestVoiceThread::mailboxKeepsTheNewestAcrossThreads()
{
    // One thread posts, another takes, as the window and the speech thread do; the taker never
    // sees a line twice or out of order, and the last line posted is the last one taken.
    SpeechWorker::Mailbox mailbox;
    constexpr int Lines = 20000;
    std::atomic_bool posted = false;
    std::thread poster([&] {
        for (int i = 1; i <= Lines; ++i)
            mailbox.post(QString::number(i));
        posted = true;
    });
    int last = 0;
    for (;;) {
        const bool done = posted.load();
        while (const std::optional<QString> line = mailbox.take()) {
            const int n = line->toInt();
            QVERIFY2(n > last, qPrintable(u"%1 after %2"_s.arg(n).arg(last)));
            last = n;
        }
        if (done)
            break;
    }
    poster.join();
    QCOMPARE(last, Lines);
    mailbox.close();
    mailbox.post(u"too late"_s);
    QVERIFY(!mailbox.take());
}

QTEST_GUILESS_MAIN(TestVoiceThread)
#include "tst_voicethread.moc"
