// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The one background helper: what the work sees of the stop flag, whether it may be abandoned or
// not, and when its result comes back (never inside the call that started it, never once
// abandoned, never to an owner that is gone).

#include "common/BackgroundWork.h"

#include <QSignalSpy>
#include <QTest>

#include <semaphore>

class TestWorkHandOver : public QObject
{
    Q_OBJECT

private slots:
    void stopFlagAndResult_data();
    void stopFlagAndResult();
};

void TestWorkHandOver::stopFlagAndResult_data()
{
    QTest::addColumn<BackgroundWork::Abandon>("abandon");
    QTest::addColumn<bool>("stopped");   // the flag is set while the work runs
    QTest::addColumn<bool>("ownerGone"); // the owner is deleted while the work runs
    QTest::addColumn<bool>("workSawStop");
    QTest::addColumn<bool>("resultTaken");

    using A = BackgroundWork::Abandon;
    QTest::newRow("runs through") << A::Allowed << false << false << false << true;
    QTest::newRow("abandoned: stops early, result dropped")
        << A::Allowed << true << false << true << false;
    QTest::newRow("never abandoned: runs to its end, result dropped")
        << A::Never << true << false << false << false;
    QTest::newRow("owner gone: result dropped") << A::Never << false << true << false << false;
}

void TestWorkHandOver::stopFlagAndResult()
{
    QFETCH(BackgroundWork::Abandon, abandon);
    QFETCH(bool, stopped);
    QFETCH(bool, ownerGone);
    QFETCH(bool, workSawStop);
    QFETCH(bool, resultTaken);

    auto owner = std::make_unique<QObject>();
    auto gate = std::make_shared<std::binary_semaphore>(0);
    auto finished = std::make_shared<std::binary_semaphore>(0);
    auto sawStop = std::make_shared<std::atomic_bool>(false);
    int results = 0;
    bool inStart = true;
    const auto stop = BackgroundWork::start(
        owner.get(), abandon,
        [gate, finished, sawStop](const std::atomic_bool &stopFlag) {
            gate->acquire();
            sawStop->store(stopFlag.load());
            finished->release();
            return 42;
        },
        [&](int value) {
            QVERIFY(!inStart);
            QCOMPARE(value, 42);
            ++results;
        });
    inStart = false;
    if (stopped)
        stop->store(true);
    if (ownerGone)
        owner.reset();
    gate->release();
    QVERIFY(finished->try_acquire_for(std::chrono::seconds(30)));
    QCOMPARE(sawStop->load(), workSawStop);
    // Whatever comes back comes through the event loop.
    WorkPool::instance().waitForDone();
    QTRY_COMPARE_WITH_TIMEOUT(results, resultTaken ? 1 : 0, 30000);
    QCoreApplication::processEvents();
    QCOMPARE(results, resultTaken ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestWorkHandOver)
#include "tst_workhandover.moc"
