// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/FrmMain.h"

#include "common/TextRules.h"
#include "conversation/MessageIntake.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyEngine.h"
#include "conversation/SourceLocation.h"
#include "knowledge/CheckedReplace.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/TeachingList.h"
#include "voice/Speaker.h"
#include "window/BackgroundTask.h"
#include "window/ChatTextBox.h"
#include "window/Controls.h"
#include "window/GlyphLabel.h"
#include "window/SaidLine.h"
#include "window/StartupQuestions.h"
#include "window/TeachingWorkflow.h"
#include "window/WindowKeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSessionManager>
#include <QTimer>
#include <QUrl>

using Controls::setLabelText;

namespace {

const QString Online = QStringLiteral("[在线]");
const QString Replying = QStringLiteral("[回复中。。]");
const QString Learning = QStringLiteral("[学习中。。]");
const QString ReadingStatus = QStringLiteral("正在读取数据文件……");

void enable(QTimer *timer)
{
    // Enabling a running timer does not restart its interval.
    if (!timer->isActive())
        timer->start();
}

using Job = BackgroundTask::Job;

} // namespace

FrmMain::FrmMain(const QString &dataDirectory, FrmMainSeams seams, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_seams(std::move(seams)),
      m_dataPath(QDir(dataDirectory).filePath(KnowledgeFile::FileName))
{
    m_seams.fillInTheWorld();
    m_teachingList = new TeachingList(this);
    m_ui.setupUi(this, m_teachingList);
    m_task = new BackgroundTask(this);
    m_ui.followWork(m_task);
    m_task->beforeWork = m_seams.beforeWork;
    m_teaching = new TeachingWorkflow(m_ui, *m_teachingList, *m_task, m_seams, m_knowledge,
                                      m_dataPath, m_profile.name, this);

    // The idle timer runs from the start; the reply timer waits for a message.
    m_timerActive = new QTimer(this);
    m_timerActive->setObjectName(QStringLiteral("TimerActive"));
    m_timerActive->setInterval(7000);
    m_timerActive->start();
    m_timerRevert = new QTimer(this);
    m_timerRevert->setObjectName(QStringLiteral("TimerRevert"));
    m_timerRevert->setInterval(1000);

    connectControls();
}

FrmMain::~FrmMain()
{
    hide(); // out of sight before the voice takes its time to stop
    m_seams.speaker = nullptr;
    m_ownSpeaker.reset();
}

void FrmMain::connectControls()
{
    connect(m_timerActive, &QTimer::timeout, this, &FrmMain::idleTick);
    connect(m_timerRevert, &QTimer::timeout, this, &FrmMain::replyTick);

    connect(m_ui.cmdSend, &QPushButton::clicked, this, &FrmMain::send);
    connect(m_ui.cmdTeach, &QPushButton::clicked, this,
            [this] { enterTeaching(TeachingWorkflow::Start::Button); });
    connect(m_ui.txtSend, &QPlainTextEdit::textChanged, this, [this] { m_idlePrompter.reset(); });
    // Told once the paste or drop has returned: a drop's source waits for its answer till then.
    connect(
        m_ui.txtSend, &ChatTextBox::refused, this,
        [this](const QString &notice) { m_seams.tell(QMessageBox::Information, notice); },
        Qt::QueuedConnection);

    connect(m_ui.labClose, &GlyphLabel::clicked, this, &QWidget::close);
    // Where no one can be asked, what was taught is saved.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &FrmMain::saveUnasked);
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { saveUnasked(); });
    connect(m_ui.labMin, &GlyphLabel::clicked, this, [this] {
        showMinimized();
        m_ui.labMin->setLit(false);
    });

    connect(m_teaching, &TeachingWorkflow::started, this, &FrmMain::teachingStarted);
    connect(m_teaching, &TeachingWorkflow::reloaded, this, &FrmMain::useKnowledge);
    connect(m_teaching, &TeachingWorkflow::left, this, &FrmMain::teachingLeft);

    connect(new WindowKeys(m_ui, this), &WindowKeys::typing, this,
            [this] { m_idlePrompter.reset(); });
}

// ---- Start-up ---------------------------------------------------------------------------

bool FrmMain::start()
{
    if (!QFileInfo::exists(m_dataPath) &&
        !StartupQuestions::seedKnowledgeFile(m_seams, m_dataPath, m_profile.name))
        return false;
    // The window at once; the greeting once the file is read, however large it is.
    m_ui.finishWindow(this);
    m_ui.showProfile(m_profile);
    show();
    loadAtStart();
    return true;
}

bool FrmMain::busy() const
{
    return m_task->busy() || !m_replyIndex.careReady();
}

void FrmMain::loadAtStart()
{
    const auto load = [path = m_dataPath](const std::atomic_bool &stop) {
        CheckedReplace::removeLeftovers(path); // the file is ours: a crashed save's leftovers go
        return KnowledgeFile::load(path, &stop);
    };
    m_task->start(Job::Loading, ReadingStatus, load, [this](KnowledgeFile::Loaded loaded) {
        if (m_task->closing() || m_seams.stopRequested())
            return;            // closed while it was read: no greeting, no question
        if (!loaded.looksUtf8) // told once the question of the encoding is settled
            StartupQuestions::tellAboutKeptWork(m_seams, m_dataPath);
        if (loaded.looksUtf8) {
            // Converted: read what was written. Left as it is: the user has been told.
            if (StartupQuestions::settleEncoding(m_seams, m_dataPath))
                loadAtStart();
            else if (!m_seams.stopRequested()) // unanswered as the program ends
                failStart({});
        } else if (!loaded.knowledge) {
            failStart(loaded.knowledge.reason());
        } else {
            useKnowledge(*std::move(loaded.knowledge));
            greet();
        }
    });
}

void FrmMain::failStart(const QString &reason)
{
    hide();
    if (!reason.isEmpty())
        StartupQuestions::tellNotRead(m_seams, m_dataPath, reason);
    emit startFailed();
}

void FrmMain::useKnowledge(KnowledgeBase loaded)
{
    m_knowledge = std::move(loaded);
    m_replyIndex.rebuild(m_knowledge);
    m_idlePrompter.setKnowledge(&m_knowledge);
    setLabelText(m_ui.labSmartWord, QStringLiteral("数据：%1个").arg(m_knowledge.entryCount()));
}

void FrmMain::greet()
{
    // One voice for the window's life: the engine takes a second to start, and a fresh one
    // after teaching would swallow the lines said meanwhile.
    if (!m_seams.speaker) {
        m_ownSpeaker = m_seams.makeVoice();
        m_seams.speaker = m_ownSpeaker.get();
    }
    show();
    if (const QString *greeting = pickRandom(m_knowledge.welcomeMessages, *m_seams.random))
        robotSay(*greeting, RobotText::OnItsOwn);
}

// ---- Speaking and sending --------------------------------------------------------------

void FrmMain::robotSay(const QString &text, RobotText::ReplyKind kind)
{
    const QDateTime now = m_seams.clock->now();
    m_lastReply = RobotText::expandPlaceholders(SaidLine::bounded(text), m_profile.name,
                                                m_pendingMessage, now);
    appendTranscript(RobotText::transcriptHeader(m_profile.name, now) + m_lastReply +
                     QStringLiteral("\r\n\r\n"));
    if (m_seams.speaker)
        m_seams.speaker->say(m_lastReply);
    // Back to typing; while teaching the input box lies under the panel.
    if (!m_teaching->active())
        m_ui.txtSend->setFocus();
    setLabelText(m_ui.labStatus, m_profile.name + RobotText::statusText(kind));
    if (kind == RobotText::NotUnderstood) {
        m_ui.cmdTeach->setEnabled(true);
    } else {
        m_ui.cmdTeach->setEnabled(false);
        enable(m_timerActive);
    }
    m_timerRevert->stop();
    m_idlePrompter.reset();
}

void FrmMain::send()
{
    const QString typed = m_ui.txtSend->message();
    switch (MessageIntake::judge(typed)) {
    case MessageIntake::Verdict::Blank:
        if (m_seams.speaker)
            m_seams.speaker->say(MessageIntake::blankWarning());
        return;
    case MessageIntake::Verdict::TooLong: // the input box refuses such a text as it comes in
        m_seams.tell(QMessageBox::Information,
                     MessageIntake::tooLongNotice(typed.size(), MessageIntake::Arrival::Typed));
        return;
    case MessageIntake::Verdict::Message:
        break;
    }
    // A cry for help, or a question how to help someone who cried out, still waiting for its
    // answer is not replaced by what follows it: it is answered with care first.
    if (!m_timerRevert->isActive() || !m_replyIndex.careReady() ||
        !ReplyEngine::answersWithCare(m_pendingMessage)) {
        m_pendingMessage = TextRules::normalise(typed);
        m_pendingTyped = typed;
    }
    appendTranscript(RobotText::transcriptHeader(m_knowledge.userName, m_seams.clock->now()) +
                     typed + QStringLiteral("\r\n\r\n"));
    m_ui.txtSend->clear();
    m_ui.txtSend->setFocus();
    ++m_sentCount;
    setLabelText(m_ui.labStatus, QStringLiteral("您已发送 %1 条信息").arg(m_sentCount));
    enable(m_timerRevert);
    setLabelText(m_ui.labRTip, Replying);
    m_idlePrompter.reset();
}

void FrmMain::appendTranscript(const QString &text)
{
    // The transcript shows lines, not line-end characters.
    m_ui.txtTalk->appendAtEnd(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void FrmMain::replyTick()
{
    // While long work runs, or care's words are still being compiled, the tick waits: the timer
    // comes round again.
    if (m_task->busy() || !m_replyIndex.careReady())
        return;
    setLabelText(m_ui.labRTip, Online);
    const Reply reply = ReplyEngine::respond(m_pendingMessage, m_knowledge, m_profile.name,
                                             *m_seams.random, m_replyIndex.index(), m_pendingTyped);
    if (reply.text)
        robotSay(*reply.text, reply.kind);
    // A joke or a question a few seconds after a caring line would do harm: stay quiet until
    // the user writes again.
    if (reply.caring)
        m_timerActive->stop();
    if (reply.route.command != ChatCommand::None)
        runCommand(reply.route.command);
}

void FrmMain::runCommand(ChatCommand command)
{
    switch (command) {
    case ChatCommand::Clear:
        m_ui.txtTalk->clear();
        break;
    case ChatCommand::Teach:
        enterTeaching(TeachingWorkflow::Start::Command);
        break;
    case ChatCommand::Exit:
        close();
        break;
    case ChatCommand::GetCode:
        // With no address and no folder left to show, the line is said and nothing opens.
        if (const QUrl source = SourceLocation::forThisProgram(); !source.isEmpty())
            m_seams.openUrl(source);
        break;
    case ChatCommand::None:
    case ChatCommand::Help:
    case ChatCommand::Qqt:
    case ChatCommand::QqTalk:
        break;
    }
}

void FrmMain::idleTick()
{
    if (m_task->busy())
        return;
    if (const QString *prompt = m_idlePrompter.tick(*m_seams.random))
        robotSay(*prompt, RobotText::OnItsOwn);
}

// ---- Teaching --------------------------------------------------------------------------

void FrmMain::enterTeaching(TeachingWorkflow::Start start)
{
    if (m_task->busy())
        return;
    if (!m_teaching->active()) {
        m_timerActive->stop(); // no idle prompt while the list is being made
        // Nothing is answered while teaching, and the reload on leaving builds a new index.
        m_replyIndex.drop();
    }
    m_teaching->enter(start, m_pendingMessage);
}

void FrmMain::teachingStarted()
{
    // Also ends a reply still pending: the message is being taught, not answered.
    robotSay(QStringLiteral("    进入调教模式"), RobotText::Replied);
    setLabelText(m_ui.labRTip, Learning);
    m_timerActive->stop();
}

void FrmMain::teachingLeft(bool closing)
{
    if (closing) {
        m_closing = true;
        close();
        return;
    }
    robotSay(QStringLiteral("    退出调教模式"), RobotText::Replied);
    greet();
    setLabelText(m_ui.labRTip, Online);
    enable(m_timerActive);
}

// ---- Closing ---------------------------------------------------------------------------

void FrmMain::closeEvent(QCloseEvent *event)
{
    // A load stops at once, as on a termination signal; a save, or what follows it, is finished.
    if (m_task->busy() && (m_teaching->active() || !m_task->abandon())) {
        m_task->closeWhenDone();
        event->ignore();
        return;
    }
    if (!m_closing && !m_teaching->mayClose()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    // Gone from the screen at once; the voice, which can take a while to stop, after that.
    hide();
    for (QTimer *timer : {m_timerActive, m_timerRevert})
        timer->stop();
    QTimer::singleShot(0, this, [this] {
        emit closed();
        QCoreApplication::quit();
    });
}

void FrmMain::saveUnasked()
{
    m_teaching->saveUnasked();
}

void FrmMain::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void FrmMain::leaveVoiceBehind()
{
    m_seams.speaker = nullptr;
    // Deliberately never deleted: its thread may sit in the speech engine until the end.
    (void)m_ownSpeaker.release();
}

// ---- Keyboard --------------------------------------------------------------------------

void FrmMain::keyPressEvent(QKeyEvent *event)
{
    // Reached only while no control has the focus: outside teaching, go back to typing.
    if (!m_teaching->active())
        m_ui.txtSend->setFocus();
    event->accept();
}
