// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/BackgroundTask.h"

#include <QTimer>
#include <QWidget>

BackgroundTask::BackgroundTask(QObject *parent) : QObject(parent)
{
    m_slowTimer = new QTimer(this);
    m_slowTimer->setObjectName(QStringLiteral("TimerSlowWork"));
    m_slowTimer->setSingleShot(true);
    m_slowTimer->setInterval(SlowMilliseconds);
    connect(m_slowTimer, &QTimer::timeout, this, &BackgroundTask::slowTick);
}

BackgroundTask::~BackgroundTask()
{
    if (m_stop)
        m_stop->store(true);
}

BackgroundWork::Abandon BackgroundTask::abandonFor(Job job)
{
    switch (job) {
    case Job::Saving:
    case Job::SavingElsewhere:
        return BackgroundWork::Abandon::Never;
    case Job::None:
    case Job::Loading:
    case Job::PreparingTeaching:
        break;
    }
    return BackgroundWork::Abandon::Allowed;
}

bool BackgroundTask::abandon()
{
    if (!busy() || abandonFor(m_job) != BackgroundWork::Abandon::Allowed)
        return false;
    m_stop->store(true);
    end();
    return true;
}

void BackgroundTask::slowTick()
{
    if (busy())
        emit slow();
}

void BackgroundTask::begin(Job job, const QString &what)
{
    m_job = job;
    m_slowTimer->start();
    emit started(what);
}

void BackgroundTask::end()
{
    m_job = Job::None;
    m_stop.reset();
    m_slowTimer->stop();
    emit ended();
}

void BackgroundTask::afterDone()
{
    // What the result led to may be more work (a save is followed by reading the file again):
    // the close waits for that too.
    if (busy() || !m_closeWhenDone)
        return;
    m_closeWhenDone = false;
    if (auto *window = qobject_cast<QWidget *>(parent()))
        QTimer::singleShot(0, window, &QWidget::close);
}
