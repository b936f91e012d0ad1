// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/BackgroundTask.h"

#include "window/Controls.h"
#include "window/FrmMainUi.h"
#include "window/TeachPanel.h"

#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <thread>

BackgroundTask::BackgroundTask(const FrmMainUi &ui, QObject *parent) : QObject(parent), m_ui(ui)
{
    m_slowTimer = new QTimer(this);
    m_slowTimer->setObjectName(QStringLiteral("TimerSlowWork"));
    m_slowTimer->setSingleShot(true);
    m_slowTimer->setInterval(SlowMilliseconds);
    connect(m_slowTimer, &QTimer::timeout, this, &BackgroundTask::slowTick);
}

BackgroundTask::~BackgroundTask()
{
    joinDisposals();
}

void BackgroundTask::joinDisposals()
{
    for (std::thread &disposal : m_disposals)
        disposal.join();
    m_disposals.clear();
}

void BackgroundTask::run(const QString &what, const std::function<void()> &work)
{
    begin(what);
    std::atomic_bool done = false;
    QEventLoop loop;
    std::thread worker([&] {
        if (beforeWork)
            beforeWork();
        work();
        done.store(true);
        // Queued: the loop belongs to this thread. It outlives the worker, which is joined
        // below, and a call still queued when it goes is dropped with it.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The application quitting ends every event loop, this one too: the work still finishes
    // first, as whatever started it expects.
    while (!done.load())
        loop.exec();
    worker.join();
    end();
}

void BackgroundTask::slowTick()
{
    if (busy())
        m_ui.barWork->show();
}

void BackgroundTask::begin(const QString &what)
{
    if (m_depth++ == 0) {
        m_teachWasEnabled = m_ui.cmdTeach->isEnabled();
        m_status = m_ui.labStatus->text();
        m_ui.cmdSend->setEnabled(false);
        m_ui.cmdTeach->setEnabled(false);
        m_ui.picTeach->setActionsEnabled(false);
        m_slowTimer->start();
    }
    Controls::setLabelText(m_ui.labStatus, what);
}

void BackgroundTask::end()
{
    if (--m_depth > 0)
        return;
    m_slowTimer->stop();
    m_ui.barWork->hide();
    m_ui.cmdSend->setEnabled(true);
    m_ui.cmdTeach->setEnabled(m_teachWasEnabled);
    m_ui.picTeach->setActionsEnabled(true);
    Controls::setLabelText(m_ui.labStatus, m_status);
    if (m_closeWhenDone) {
        m_closeWhenDone = false;
        if (auto *window = qobject_cast<QWidget *>(parent()))
            QTimer::singleShot(0, window, &QWidget::close);
    }
}
