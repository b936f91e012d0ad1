// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Teaching mode from entering to leaving: the working copy of the table, the teaching panel
// and the keyword list, commits, the save when teaching ends and what happens when it fails,
// and the reload after it. The window does the talking: it is told when teaching starts and
// ends and when new knowledge was read.

#include "common/Result.h"
#include "knowledge/KnowledgeBase.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class BackgroundTask;
class QModelIndex;
class TeachingList;
struct FrmMainSeams;
struct FrmMainUi;
class TeachingSession;

class TeachingWorkflow : public QObject
{
    Q_OBJECT

public:
    // How teaching was asked for: by the button, to teach the message not understood, or by
    // the command, to teach anything.
    enum class Start
    {
        Button,
        Command,
    };

    // knowledge is the window's: the file as loaded last, whose header and lists a save
    // writes back and whose filter words a commit is checked against.
    TeachingWorkflow(const FrmMainUi &ui, TeachingList &list, BackgroundTask &task,
                     const FrmMainSeams &seams, const KnowledgeBase &knowledge,
                     const QString &dataPath, const QString &robotName, QObject *parent);
    ~TeachingWorkflow() override;

    bool active() const { return m_active; }
    // Commits made that no save has written yet.
    bool hasUnsavedWork() const;

    // Copies the table into the teaching list on a worker, then shows the panel. Entering
    // again keeps what was taught so far. pendingMessage is the keyword the button offers.
    void enter(Start start, const QString &pendingMessage);
    // Saves and leaves, or on a failed save does what the user chooses; teaching goes on when
    // the user stays. Closing leaves without the spoken lines.
    void leave(bool closing = false);
    // Asked when the window is to close: false when the close must wait (the user chose to
    // save first: the window closes once saved, through left(true)) or was cancelled.
    bool mayClose();
    // Saves unsaved work without asking anyone, for when no one can answer.
    void saveUnasked();

signals:
    // The panel is up; the window says so.
    void started();
    // The file was read again after teaching.
    void reloaded(const KnowledgeBase &knowledge);
    // Teaching is over and the panel gone; closing when the window is to close now.
    void left(bool closing);

private:
    void show(Start start, const QString &pendingMessage);
    void setActive(bool active);
    void commit();
    void lookUpKeyword();
    void pick(const QModelIndex &index);
    void decideAfterFailedSave(const QString &reason, const QByteArray &unwritten, bool closing);
    // Reads Data.ait again: the file is ours, so nothing is asked. saved tells whether this
    // teaching's work is in it.
    void reload(bool closing, bool saved);
    void finish(bool closing);

    const FrmMainUi &m_ui;
    TeachingList &m_list;
    BackgroundTask &m_task;
    const FrmMainSeams &m_seams;
    const KnowledgeBase &m_knowledge;
    const QString m_dataPath;
    const QString m_robotName;
    bool m_active = false;
    // What was committed, and the save of it.
    std::unique_ptr<TeachingSession> m_session;
};
