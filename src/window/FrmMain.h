// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The chat window: owns the knowledge, the conversation's state, the voice and every
// control, and wires the controls' events to the plain logic of the other folders.

#include "common/Result.h"
#include "conversation/ChatCommands.h"
#include "conversation/IdlePrompter.h"
#include "conversation/ReplyIndexBuilder.h"
#include "conversation/RobotProfile.h"
#include "conversation/RobotText.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/TeachingList.h"
#include "window/FrmMainSeams.h"
#include "window/FrmMainUi.h"
#include "window/TeachingWorkflow.h"

#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class BackgroundTask;
class QTimer;

class FrmMain : public QWidget
{
    Q_OBJECT

public:
    enum class Mode
    {
        Conversation,
        Teaching,
    };

    explicit FrmMain(const QString &dataDirectory, FrmMainSeams seams = {},
                     QWidget *parent = nullptr);
    ~FrmMain() override;

    // The start-up sequence: first-run seeding, the window shown, then loading on a worker
    // while the window's events go on, and the greeting. False when the file could not be
    // seeded; a load that fails later hides the window and emits startFailed() (the user has
    // been told why in both cases).
    bool start();
    // True while long work runs (loading, preparing teaching, saving, compiling care's words).
    bool busy() const;

    Mode mode() const { return m_teaching->active() ? Mode::Teaching : Mode::Conversation; }
    const KnowledgeBase &knowledge() const { return m_knowledge; }
    QString dataPath() const { return m_dataPath; }
    QString pendingMessage() const { return m_pendingMessage; }
    QString lastReply() const { return m_lastReply; }
    qint64 sentCount() const { return m_sentCount; }
    int idleTicks() const { return m_idlePrompter.ticks(); }
    const TeachingList &teachingList() const { return *m_teachingList; }

    // Timer ticks, called by the timers (and directly by tests).
    void replyTick();
    void idleTick();

    // The one way the robot says anything.
    void robotSay(const QString &text, RobotText::ReplyKind kind);

    // True once the reply index for the knowledge loaded last is built.
    bool replyIndexReady() const { return m_replyIndex.index() != nullptr; }
    // Commits made in teaching mode that no save has written yet.
    bool hasUnsavedWork() const { return m_teaching->hasUnsavedWork(); }
    // Saves unsaved work without asking anyone, for when no one can answer (a termination
    // signal, the session ending, the application quitting).
    void saveUnasked();

    // For the very end of the process: the voice is neither stopped nor waited for (the speech
    // engine can take seconds to let go), and the window no longer speaks.
    void leaveVoiceBehind();
    // Brings the window to the front, for another start on the same data file.
    void bringToFront();

signals:
    void startFailed();
    // The window has closed for good: gone from the screen, nothing left to save.
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectControls();

    // Reads Data.ait on a worker at start-up, first offering to convert a file saved as UTF-8,
    // then greets.
    void loadAtStart();
    // Hides the window and ends the start; reason, when given, is shown first.
    void failStart(const QString &reason);
    void useKnowledge(KnowledgeBase loaded);
    void greet();

    void send();
    void runCommand(ChatCommand command);

    void enterTeaching(TeachingWorkflow::Start start);
    void teachingStarted();
    void teachingLeft(bool closing);

    void appendTranscript(const QString &text);

    // The world
    FrmMainSeams m_seams;
    std::unique_ptr<Speaker> m_ownSpeaker;

    // The conversation's state
    const RobotProfile m_profile = RobotProfile::builtIn();
    QString m_dataPath;
    KnowledgeBase m_knowledge;
    ReplyIndexBuilder m_replyIndex;
    QString m_pendingMessage;
    QString m_pendingTyped; // the same message as typed, which care alone reads
    QString m_lastReply;
    qint64 m_sentCount = 0;
    IdlePrompter m_idlePrompter;
    TeachingList *m_teachingList = nullptr;
    bool m_closing = false;

    FrmMainUi m_ui;
    BackgroundTask *m_task = nullptr;
    TeachingWorkflow *m_teaching = nullptr;
    QTimer *m_timerActive = nullptr;
    QTimer *m_timerRevert = nullptr;
};
