// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Built only in the thread-checked build, where ctest expects ThreadSanitizer to report a race
// here: a worker handed over the way the window hands over its work, but changing a member of
// the window while the window changes it too. If the suppressions or the hand-over marks ever hid
// this, they would hide real mistakes of the same kind too.

#include "common/ThreadCheck.h"

#include <QFuture>
#include <QTest>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <memory>

class TestThreadCheck : public QObject
{
    Q_OBJECT

private slots:
    void workerWritingAWindowMemberIsReported();
};

namespace {

class Window : public QWidget
{
public:
    int messagesSent = 0;
};

} // namespace

void TestThreadCheck::workerWritingAWindowMemberIsReported()
{
    // On the heap, as the windows of the other tests are: this ThreadSanitizer does not watch
    // the main thread's stack.
    auto window = std::make_unique<Window>();
    int token = 0;
    ThreadCheck::handOver(&token);
    // The mistake: the work captures the window instead of a copy of what it needs, and
    // counts on it while the window goes on counting too.
    QFuture<void> work = QtConcurrent::run([window = window.get(), &token] {
        ThreadCheck::takeOver(&token);
        ++window->messagesSent;
    });
    ++window->messagesSent;
    work.waitForFinished();
    QVERIFY(window->messagesSent >= 1 && window->messagesSent <= 2);
}

QTEST_MAIN(TestThreadCheck)
#include "tst_threadcheck.moc"
