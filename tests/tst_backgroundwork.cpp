// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Long work on a worker: while the file is read, the teaching list made or the table saved,
// the window's events go on but nothing that could conflict is accepted (its timers' ticks
// wait too); the status line says what is happening, a progress bar shows after a second, and
// the results come after. Quitting meanwhile ends the program at once, a save still whole.

#include "common/WorkPool.h"
#include "support/WindowHarness.h"
#include "teaching/TeachingList.h"
#include "window/BackgroundTask.h"

#include <QDir>
#include <QProgressBar>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <atomic>
#include <cerrno>

class TestBackgroundWork : public QObject
{
    Q_OBJECT

private slots:
    void nothingConflictingWhileWorking_data();
    void nothingConflictingWhileWorking();
    void teachingIsEnteredOnceWhenTheReplyIsDue();
    void quittingDuringWorkEndsAtOnce_data();
    void quittingDuringWorkEndsAtOnce();
    void closingDuringASaveWaitsForIt();
    void closingDuringALoadEndsAtOnce_data();
    void closingDuringALoadEndsAtOnce();
    void theSessionEndingDuringAFailingSaveKeepsTheWork();
    void failedLoadIsStillReportedAndHidesTheWindow();
};

namespace {

enum class Work
{
    Loading,
    Entering,
    Leaving,
};

// What the window showed while the work was held on its worker.
struct Seen
{
    bool held = false;
    bool sendEnabled = true;
    bool teachEnabled = true;
    bool panelActionsEnabled = true;
    bool barBeforeASecond = true;
    bool barAfterASecond = false;
    QString status;
    QString transcript;
    qint64 sentCount = -1;
    QByteArray file;
};

// A window whose long work waits on its worker until the test lets it go on.
struct HeldWindow
{
    WindowHarness h;
    QSemaphore gate;
    std::atomic_bool holding = false;

    HeldWindow()
    {
        h.adjustSeams = [this](FrmMainSeams &seams) {
            seams.beforeWork = [this] {
                if (holding.load())
                    gate.acquire();
            };
        };
        h.writeKnowledge(knowledgeText({u"hello\\Hi~\\"_qs, u"bye\\88\\"_qs}));
        h.make();
    }
    QPushButton *button(const char *name) const { return h.control<QPushButton>(name); }

    // Runs action with the work it starts held; looks at the window meanwhile (trying to send
    // a message and the one-second tick too), then lets the work go on.
    Seen holdDuring(const std::function<void()> &action)
    {
        Seen seen;
        holding = true;
        QTimer::singleShot(0, h.window.get(), [this, &seen] {
            seen.held = true;
            seen.sendEnabled = button("CmdSend")->isEnabled();
            seen.teachEnabled = button("CmdTeach")->isEnabled();
            seen.panelActionsEnabled = button("CmdEdit1")->isEnabled() ||
                                       button("CmdEdit2")->isEnabled() ||
                                       button("CmdEdit3")->isEnabled();
            seen.status = h.label("LabStatus");
            auto *bar = h.control<QProgressBar>("BarWork");
            seen.barBeforeASecond = bar->isVisible();
            h.send(u"hello"_qs);
            // The timers' ticks while the work runs: they wait for it.
            h.window->replyTick();
            for (int tick = 0; tick < 3; ++tick)
                h.window->idleTick();
            seen.transcript = h.transcript();
            seen.sentCount = h.window->sentCount();
            seen.file = h.fileBytes();
            QMetaObject::invokeMethod(h.window.get(), [this, &seen] {
                // The tick the timer gives after a second.
                QCOMPARE(h.timer("TimerSlowWork")->interval(), 1000);
                h.window->findChild<BackgroundTask *>()->slowTick();
                seen.barAfterASecond = h.control<QProgressBar>("BarWork")->isVisible();
                holding = false;
                gate.release();
            });
        });
        action();
        if (!h.settle())
            qWarning("the work never ended");
        return seen;
    }

    // Starts the work, and while it is held on the worker does what a termination signal does:
    // ends the application's event loop. Returns the loop's exit code; the window is gone
    // afterwards, as it is when main() returns, and the thread pool has been waited for.
    int quitDuring(const std::function<void()> &action)
    {
        holding = true;
        action();
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        // Should the loop ignore the quit, this ends the test instead of hanging it.
        QTimer failSafe;
        failSafe.setSingleShot(true);
        QObject::connect(&failSafe, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        failSafe.start(20000);
        const int code = QCoreApplication::exec();
        h.window.reset();
        holding = false;
        gate.release();
        WorkPool::instance().waitForDone();
        return code;
    }
};

} // namespace

void TestBackgroundWork::nothingConflictingWhileWorking_data()
{
    QTest::addColumn<Work>("work");
    QTest::addColumn<QString>("status");
    QTest::newRow("loading at start-up") << Work::Loading << u"正在读取数据文件……"_qs;
    QTest::newRow("entering teaching") << Work::Entering << u"正在准备调教……"_qs;
    QTest::newRow("leaving teaching: the save") << Work::Leaving << u"正在保存数据文件……"_qs;
}

void TestBackgroundWork::nothingConflictingWhileWorking()
{
    QFETCH(Work, work);
    QFETCH(QString, status);
    HeldWindow w;
    if (work != Work::Loading) {
        QVERIFY(w.h.startWindow());
        w.h.send(u"/teach"_qs);
        if (work == Work::Leaving) {
            w.h.window->replyTick();
            QVERIFY(w.h.settle());
            QCOMPARE(w.h.window->mode(), FrmMain::Mode::Teaching);
        }
    }
    const QString transcriptBefore = work == Work::Loading ? QString() : w.h.transcript();
    const qint64 sentBefore = work == Work::Loading ? 0 : w.h.window->sentCount();
    const QByteArray fileBefore = w.h.fileBytes();

    const Seen seen = w.holdDuring([&] {
        switch (work) {
        case Work::Loading:
            QVERIFY(w.h.window->start());
            break;
        case Work::Entering:
            w.h.window->replyTick();
            break;
        case Work::Leaving:
            w.button("CmdEdit2")->click();
            break;
        }
    });

    QVERIFY(seen.held);
    QVERIFY(!seen.sendEnabled);
    QVERIFY(!seen.teachEnabled);
    QVERIFY(!seen.panelActionsEnabled);
    QCOMPARE(seen.status, status);
    QVERIFY(!seen.barBeforeASecond);
    QVERIFY(seen.barAfterASecond);
    // The message typed meanwhile was not sent, nor anything said; the file not yet touched.
    QCOMPARE(seen.sentCount, sentBefore);
    QCOMPARE(seen.transcript, transcriptBefore);
    QCOMPARE(seen.file, fileBefore);

    // Done: usable again, the bar gone, and what the work was for has happened.
    QVERIFY(w.button("CmdSend")->isEnabled());
    QVERIFY(!w.h.control<QProgressBar>("BarWork")->isVisible());
    switch (work) {
    case Work::Loading:
        QCOMPARE(w.h.window->knowledge().entryCount(), 2);
        QVERIFY(w.h.transcript().startsWith(u"阿木 "_qs));
        QCOMPARE(w.h.label("LabStatus"), u"阿木 向你发送消息"_qs);
        break;
    case Work::Entering:
        QCOMPARE(w.h.window->mode(), FrmMain::Mode::Teaching);
        QCOMPARE(w.h.window->teachingList().count(), 2);
        QVERIFY(w.button("CmdEdit2")->isEnabled());
        break;
    case Work::Leaving:
        QCOMPARE(w.h.window->mode(), FrmMain::Mode::Conversation);
        QCOMPARE(w.h.window->knowledge().entryCount(), 2);
        QVERIFY(w.h.transcript().contains(u"退出调教模式"_qs));
        break;
    }
}

void TestBackgroundWork::teachingIsEnteredOnceWhenTheReplyIsDue()
{
    // "/teach" is sent, so its reply is due, and 调教 is pressed before the reply timer ticks;
    // the tick then comes while the teaching list is being prepared.
    HeldWindow w;
    QVERIFY(w.h.startWindow());
    w.h.send(u"Good Night"_qs);
    w.h.window->replyTick();
    w.h.send(u"/teach"_qs);
    QVERIFY(w.h.timer("TimerRevert")->isActive());
    const int linesBefore = w.h.speaker.lines.size();
    w.holdDuring([&] { w.button("CmdTeach")->click(); });

    QCOMPARE(w.h.window->mode(), FrmMain::Mode::Teaching);
    QCOMPARE(w.h.speaker.lines.mid(linesBefore), QStringList{u"    进入调教模式"_qs});
    QCOMPARE(w.h.transcript().count(u"进入调教模式"_qs), 1);
    // The message taught is the one not understood, and no reply to "/teach" is left to come.
    QCOMPARE(w.h.control<QLineEdit>("TxtTeach1")->text(), u"/teach"_qs);
    QVERIFY(!w.h.timer("TimerRevert")->isActive());
    QCOMPARE(w.h.window->teachingList().count(), 2);
}

void TestBackgroundWork::quittingDuringWorkEndsAtOnce_data()
{
    QTest::addColumn<Work>("work");
    QTest::newRow("loading at start-up") << Work::Loading;
    QTest::newRow("entering teaching") << Work::Entering;
    QTest::newRow("leaving teaching: the save") << Work::Leaving;
}

void TestBackgroundWork::quittingDuringWorkEndsAtOnce()
{
    QFETCH(Work, work);
    HeldWindow w;
    if (work != Work::Loading) {
        QVERIFY(w.h.startWindow());
        w.h.enterTeaching();
        if (work == Work::Entering)
            w.h.leaveTeaching();
        else
            w.h.commit(u"new"_qs, u"reply"_qs);
    }
    const QByteArray fileBefore = w.h.fileBytes();

    const int code = w.quitDuring([&] {
        switch (work) {
        case Work::Loading:
            QVERIFY(w.h.window->start());
            break;
        case Work::Entering:
            w.h.send(u"/teach"_qs);
            w.h.window->replyTick();
            break;
        case Work::Leaving:
            w.button("CmdEdit2")->click();
            break;
        }
    });

    QCOMPARE(code, 0);
    // A save under way was finished, whole; nothing else touched the file.
    if (work == Work::Leaving)
        QVERIFY(w.h.fileBytes().contains("\r\n|new\\reply\\\r\n"));
    else
        QCOMPARE(w.h.fileBytes(), fileBefore);
    QCOMPARE(QDir(QFileInfo(w.h.dataPath()).path()).entryList(QDir::Files),
             QStringList{u"Data.ait"_qs});
}

void TestBackgroundWork::closingDuringASaveWaitsForIt()
{
    HeldWindow w;
    QVERIFY(w.h.startWindow());
    w.h.enterTeaching();
    w.h.commit(u"new"_qs, u"reply"_qs);
    QVERIFY(w.h.window->hasUnsavedWork());

    bool openWhileSaving = false;
    w.holding = true;
    QTimer::singleShot(0, w.h.window.get(), [&] {
        w.h.window->close();
        openWhileSaving = w.h.window->isVisible();
        w.holding = false;
        w.gate.release();
    });
    w.button("CmdEdit2")->click();
    QVERIFY(w.h.settle());

    QVERIFY(openWhileSaving);
    QVERIFY(w.h.fileBytes().contains("|new\\reply\\"));
    // The close asked for meanwhile follows the save, with nothing left to ask about.
    QTRY_VERIFY(!w.h.window->isVisible());
    QVERIFY(!w.h.window->hasUnsavedWork());
    for (const ShownMessage &shown : std::as_const(w.h.shown))
        QVERIFY(!shown.prompt.contains(u"退出之前要保存吗"_qs));
}

void TestBackgroundWork::closingDuringALoadEndsAtOnce_data()
{
    QTest::addColumn<Work>("work");
    QTest::newRow("loading at start-up") << Work::Loading;
    QTest::newRow("entering teaching") << Work::Entering;
}

void TestBackgroundWork::closingDuringALoadEndsAtOnce()
{
    QFETCH(Work, work);
    HeldWindow w;
    if (work == Work::Entering)
        QVERIFY(w.h.startWindow());
    const QByteArray fileBefore = w.h.fileBytes();
    QString transcriptBefore;
    bool openAfterClose = true;
    w.holding = true;
    QTimer::singleShot(0, w.h.window.get(), [&] {
        transcriptBefore = w.h.transcript();
        // The work is held on its worker all the while: the close does not wait for it.
        w.h.window->close();
        openAfterClose = w.h.window->isVisible();
        w.holding = false;
        w.gate.release();
    });
    if (work == Work::Loading) {
        QVERIFY(w.h.window->start());
    } else {
        w.h.send(u"/teach"_qs);
        w.h.window->replyTick();
    }
    QTRY_VERIFY(!w.h.window->busy());
    WorkPool::instance().waitForDone();
    QCoreApplication::processEvents();

    QVERIFY(!openAfterClose);
    // What the work found is dropped: no greeting, no teaching panel, the file untouched.
    QCOMPARE(w.h.transcript(), transcriptBefore);
    QCOMPARE(w.h.window->mode(), FrmMain::Mode::Conversation);
    QCOMPARE(w.h.fileBytes(), fileBefore);
}

void TestBackgroundWork::theSessionEndingDuringAFailingSaveKeepsTheWork()
{
    // A logout while the save of "退出调教" runs and is about to fail: no one is left to see the
    // failure box, so the work goes where the next start finds it.
    HeldWindow w;
    w.h.writeFault = [](QByteArray &) { return ENOSPC; };
    QVERIFY(w.h.startWindow());
    w.h.enterTeaching();
    w.h.commit(u"new"_qs, u"reply"_qs);
    const QByteArray fileBefore = w.h.fileBytes();
    w.holding = true;
    QTimer::singleShot(0, w.h.window.get(), [&] {
        // Whether the save has failed by the time the session ends or fails after it, the
        // outcome is the same.
        w.holding = false;
        w.gate.release();
        w.h.window->saveUnasked();
    });
    w.button("CmdEdit2")->click();
    QTRY_VERIFY(!w.h.window->busy());
    WorkPool::instance().waitForDone();

    QCOMPARE(w.h.fileBytes(), fileBefore);
    const QStringList kept = KnowledgeFile::keptFiles(w.h.dataPath());
    QCOMPARE(kept.size(), 1);
    QFile file(kept.first());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("|new\\reply\\\r\n"));
}

void TestBackgroundWork::failedLoadIsStillReportedAndHidesTheWindow()
{
    WindowHarness h;
    h.writeKnowledge(u"not a knowledge file"_qs);
    h.make();
    QSignalSpy failed(h.window.get(), &FrmMain::startFailed);
    QVERIFY(!h.startWindow());
    QCOMPARE(failed.size(), 1);
    QCOMPARE(h.shown.size(), 1);
    QVERIFY(h.shown.at(0).prompt.startsWith(u"无法读取数据文件："_qs));
    QVERIFY(!h.window->isVisible());
}

QTEST_MAIN(TestBackgroundWork)
#include "tst_backgroundwork.moc"
