// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/BackgroundTask.h"

#include "window/Controls.h"
#include "window/FrmMainUi.h"
#include "window/TeachPanel.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

BackgroundTask::BackgroundTask(const FrmMainUi &ui, QObject *parent)
    : QObject(parent), m_ui(ui), m_stop(std::make_shared<std::atomic_bool>(false))
{
    m_slowTimer = new QTimer(this);
    m_slowTimer->setObjectName(QStringLiteral("TimerSlowWork"));
    m_slowTimer->setSingleShot(true);
    m_slowTimer->setInterval(SlowMilliseconds);
    connect(m_slowTimer, &QTimer::timeout, this, &BackgroundTask::slowTick);
}

BackgroundTask::~BackgroundTask()
{
    m_stop->store(true);
}

void BackgroundTask::slowTick()
{
    if (busy())
        m_ui.barWork->show();
}

void BackgroundTask::begin(Job job, const QString &what)
{
    m_job = job;
    m_stop = std::make_shared<std::atomic_bool>(false);
    m_teachWasEnabled = m_ui.cmdTeach->isEnabled();
    m_status = m_ui.labStatus->text();
    m_ui.cmdSend->setEnabled(false);
    m_ui.cmdTeach->setEnabled(false);
    m_ui.picTeach->setActionsEnabled(false);
    m_slowTimer->start();
    Controls::setLabelText(m_ui.labStatus, what);
}

void BackgroundTask::end()
{
    m_job = Job::None;
    m_slowTimer->stop();
    m_ui.barWork->hide();
    m_ui.cmdSend->setEnabled(true);
    m_ui.cmdTeach->setEnabled(m_teachWasEnabled);
    m_ui.picTeach->setActionsEnabled(true);
    Controls::setLabelText(m_ui.labStatus, m_status);
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
