// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/FrmMain.h"

#include "common/TextRules.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyEngine.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/ShadowHint.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingRules.h"
#include "voice/QtSpeaker.h"
#include "voice/Speaker.h"
#include "window/Backdrop.h"
#include "window/BackgroundTask.h"
#include "window/ChatTextBox.h"
#include "window/Controls.h"
#include "window/Dialogs.h"
#include "window/GlyphLabel.h"
#include "window/KeywordList.h"
#include "window/SaveFailure.h"
#include "window/StartupQuestions.h"
#include "window/TeachPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
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
const QString Cr = QStringLiteral("\r");
const QString ReadingStatus = QStringLiteral("正在读取数据文件……");

void enable(QTimer *timer)
{
    // Enabling a running timer does not restart its interval.
    if (!timer->isActive())
        timer->start();
}

Result<QByteArray> saveBytes(const KnowledgeBase &loaded, const TeachingList::Snapshot &entries)
{
    return KnowledgeFile::teachingSaveBytes(loaded, entries.size(),
                                            [&entries](qsizetype row) { return entries.at(row); });
}

// What the start-up read gives: the knowledge, or the bytes of a file saved as UTF-8.
struct StartLoad
{
    Result<KnowledgeBase> knowledge = Result<KnowledgeBase>::failure({});
    std::optional<QByteArray> utf8;
};

using Job = BackgroundTask::Job;

} // namespace

FrmMain::FrmMain(const QString &dataDirectory, FrmMainSeams seams, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_seams(std::move(seams)),
      m_dataPath(QDir(dataDirectory).filePath(KnowledgeFile::FileName))
{
    if (!m_seams.clock) {
        m_ownClock = std::make_unique<SystemClock>();
        m_seams.clock = m_ownClock.get();
    }
    if (!m_seams.random) {
        m_ownRandom = std::make_unique<SystemRandom>();
        m_seams.random = m_ownRandom.get();
    }
    if (!m_seams.askText)
        m_seams.askText = Dialogs::askText;
    if (!m_seams.showMessage)
        m_seams.showMessage = Dialogs::showMessage;
    if (!m_seams.openUrl)
        m_seams.openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    if (!m_seams.showChoice)
        m_seams.showChoice = Dialogs::showChoice;
    if (!m_seams.askSavePath)
        m_seams.askSavePath = Dialogs::askSavePath;
    if (!m_seams.makeVoice)
        m_seams.makeVoice = [] { return std::make_unique<QtSpeaker>(); };

    m_teachingList = new TeachingList(this);
    m_ui.setupUi(this, m_teachingList);
    m_task = new BackgroundTask(m_ui, this);
    m_task->beforeWork = m_seams.beforeWork;

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
    releaseVoice();
}

void FrmMain::connectControls()
{
    connect(m_timerActive, &QTimer::timeout, this, &FrmMain::idleTick);
    connect(m_timerRevert, &QTimer::timeout, this, &FrmMain::replyTick);

    connect(m_ui.cmdSend, &QPushButton::clicked, this, &FrmMain::send);
    connect(m_ui.cmdTeach, &QPushButton::clicked, this,
            [this] { enterTeaching(TeachingStart::Button); });
    connect(m_ui.txtSend, &QPlainTextEdit::textChanged, this, [this] { m_idlePrompter.reset(); });

    connect(m_ui.labClose, &GlyphLabel::clicked, this, &QWidget::close);
    // Where no one can be asked, what was taught is saved.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &FrmMain::saveUnasked);
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { saveUnasked(); });
    connect(m_ui.labMin, &GlyphLabel::clicked, this, [this] {
        showMinimized();
        m_ui.labMin->setLit(false);
    });

    connect(m_ui.picTeach, &TeachPanel::keywordEdited, this, &FrmMain::lookUpKeyword);
    connect(m_ui.picTeach, &TeachPanel::commitRequested, this, &FrmMain::commitEntry);
    connect(m_ui.picTeach, &TeachPanel::leaveRequested, this, [this] { leaveTeaching(); });
    connect(m_ui.picTeach, &TeachPanel::showListRequested, this, &FrmMain::showList);
    connect(m_ui.listDate, &KeywordList::picked, this, &FrmMain::pickEntry);

    // Enter is the window's: it clicks a focused button, and Send from anywhere else.
    for (QWidget *control : m_ui.focusChain())
        control->installEventFilter(this);
}

// ---- Start-up ---------------------------------------------------------------------------

bool FrmMain::start()
{
    if (!QFileInfo::exists(m_dataPath) && !seedKnowledgeFile())
        return false;
    // The window at once; the greeting once the file is read, however large it is.
    m_ui.finishWindow(this);
    fillProfileLabels();
    show();
    loadAtStart();
    return true;
}

bool FrmMain::busy() const
{
    return m_task->busy();
}

bool FrmMain::seedKnowledgeFile()
{
    const std::optional<QString> name = StartupQuestions::askUserName(m_seams, m_profile.name);
    const Status written =
        KnowledgeFile::write(m_dataPath, *KnowledgeFile::firstRunBytes(*name), m_seams.writeFault);
    if (written)
        return true;
    message(QMessageBox::Critical, QStringLiteral("妙语通"),
            KnowledgeFile::problemMessage(QStringLiteral("无法创建数据文件:"), m_dataPath,
                                          written.reason()));
    return false;
}

void FrmMain::loadAtStart()
{
    const auto read = [path = m_dataPath](const std::atomic_bool &stop) {
        StartLoad loaded;
        Result<QByteArray> bytes = KnowledgeFile::read(path, &stop);
        if (!bytes)
            loaded.knowledge = Result<KnowledgeBase>::failure(bytes.reason());
        else if (KnowledgeFile::isUtf8(*bytes))
            loaded.utf8 = *std::move(bytes);
        else if (!stop.load())
            loaded.knowledge = KnowledgeBase::parse(*bytes);
        return loaded;
    };
    m_task->start(Job::Loading, ReadingStatus, read, [this](StartLoad loaded) {
        if (loaded.utf8) {
            // Converted: read what was written. Left as it is: the user has been told.
            if (StartupQuestions::settleEncoding(m_seams, m_dataPath, *loaded.utf8))
                loadAtStart();
            else
                failStart({});
            return;
        }
        if (!loaded.knowledge) {
            failStart(loaded.knowledge.reason());
            return;
        }
        useKnowledge(*std::move(loaded.knowledge));
        greet();
    });
}

void FrmMain::failStart(const QString &reason)
{
    hide();
    if (!reason.isEmpty()) {
        message(QMessageBox::Critical, QStringLiteral("妙语通"),
                KnowledgeFile::problemMessage(QStringLiteral("无法读取数据文件:"), m_dataPath,
                                              reason, QStringLiteral("文件没有被改动。")));
    }
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

void FrmMain::fillProfileLabels()
{
    setLabelText(m_ui.labRName, m_profile.name);
    setLabelText(m_ui.labSex, QStringLiteral("性别：") + m_profile.sex);
    setLabelText(m_ui.labBirth, QStringLiteral("生日：") + m_profile.birth);
    setLabelText(m_ui.labFrom, QStringLiteral("来自：") + m_profile.from);
    setLabelText(m_ui.labAuthor, QStringLiteral("作者：") + m_profile.author);
    setLabelText(m_ui.labRemark, QStringLiteral("  ") + m_profile.remark);
}

// ---- Speaking and sending --------------------------------------------------------------

void FrmMain::robotSay(const QString &text, RobotText::ReplyKind kind)
{
    const QDateTime now = m_seams.clock->now();
    m_lastReply = RobotText::expandPlaceholders(text, m_profile.name, m_pendingMessage, now);
    appendTranscript(RobotText::transcriptHeader(m_profile.name, now) + m_lastReply +
                     QStringLiteral("\r\n\r\n"));
    if (m_seams.speaker)
        m_seams.speaker->say(m_lastReply);
    // Back to typing; while teaching the input box lies under the panel.
    if (m_mode == Mode::Conversation)
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
    if (TextRules::isBlank(typed)) {
        if (m_seams.speaker)
            m_seams.speaker->say(QStringLiteral("注意：请不要发送空白内容"));
        return;
    }
    m_pendingMessage = TextRules::normalise(typed);
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
    // While long work runs the tick waits: the timer comes round again.
    if (m_task->busy())
        return;
    setLabelText(m_ui.labRTip, Online);
    const Reply reply = ReplyEngine::respond(m_pendingMessage, m_knowledge, m_profile.name,
                                             *m_seams.random, m_replyIndex.index());
    if (reply.text)
        robotSay(*reply.text, reply.kind);
    // A joke or a question a few seconds after a caring line would do harm: stay quiet until
    // the user writes again.
    if (reply.caring)
        m_timerActive->stop();
    if (reply.command != ChatCommand::None)
        runCommand(reply.command);
}

void FrmMain::runCommand(ChatCommand command)
{
    switch (command) {
    case ChatCommand::Clear:
        m_ui.txtTalk->clear();
        break;
    case ChatCommand::Teach:
        enterTeaching(TeachingStart::Command);
        break;
    case ChatCommand::Exit:
        close();
        break;
    case ChatCommand::GetCode:
        m_seams.openUrl(QUrl(QStringLiteral(MIAOYU_SOURCE_URL)));
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

void FrmMain::setMode(Mode mode)
{
    m_mode = mode;
    m_ui.picTeach->setActive(mode == Mode::Teaching);
    m_ui.picTeach->showHint({});
    m_ui.coverInputArea(mode == Mode::Teaching);
}

void FrmMain::enterTeaching(TeachingStart start)
{
    if (m_task->busy())
        return;
    // Entering again keeps what was taught so far instead of copying the table a second time.
    if (m_mode == Mode::Teaching) {
        showTeaching(start);
        return;
    }
    m_timerActive->stop(); // no idle prompt while the list is being made
    // Nothing is answered while teaching, and the reload on leaving builds a new index.
    m_replyIndex.drop();
    const auto prepare = [table = m_knowledge.keywordTable,
                          collator = m_teachingList->collator()](const std::atomic_bool &stop) {
        return TeachingList::prepare(table, collator, &stop);
    };
    m_task->start(Job::PreparingTeaching, QStringLiteral("正在准备调教……"), prepare,
                  [this, start](TeachingList::Prepared prepared) {
                      m_teachingList->adopt(std::move(prepared));
                      showTeaching(start);
                  });
}

void FrmMain::showTeaching(TeachingStart start)
{
    setMode(Mode::Teaching);
    // Also ends a reply still pending: the message is being taught, not answered.
    robotSay(QStringLiteral("    进入调教模式"), RobotText::Replied);
    setLabelText(m_ui.labRTip, Learning);
    if (start == TeachingStart::Button) {
        m_ui.picTeach->setKeyword(m_pendingMessage); // its change runs the lookup
        m_ui.picTeach->focusReplies();
    } else {
        m_ui.picTeach->setKeyword({});
        m_ui.picTeach->focusKeyword();
    }
    m_timerActive->stop();
}

void FrmMain::lookUpKeyword()
{
    if (m_teachingList->count() == 0)
        return;
    const int row = m_teachingList->findKey(TextRules::normalise(m_ui.picTeach->keyword()));
    m_ui.picTeach->setReplies(row < 0 ? QString()
                                      : TeachingRules::repliesOf(m_teachingList->entryAt(row)));
}

void FrmMain::pickEntry(const QModelIndex &index)
{
    if (m_mode != Mode::Teaching || !index.isValid())
        return;
    m_ui.picTeach->setKeyword(TeachingList::keyOf(m_teachingList->entryAt(index.row())));
}

void FrmMain::showList()
{
    if (m_mode == Mode::Teaching)
        m_ui.showKeywordList();
}

void FrmMain::commitEntry()
{
    if (m_mode != Mode::Teaching)
        return;
    const QString refused = QStringLiteral("本次调教未能成功,可能的原因:") + Cr;
    const TeachingRules::Commit commit = TeachingRules::check(
        m_ui.picTeach->keyword(), m_ui.picTeach->replies(), m_knowledge.filterWords);
    switch (commit.verdict) {
    case TeachingRules::Verdict::Malformed:
        message(QMessageBox::Warning, QStringLiteral("ERR"),
                refused + QStringLiteral("1,关键字或智能回复为空;") + Cr +
                    QStringLiteral("2,关键字含有“|”或“\\”符号."));
        return;
    case TeachingRules::Verdict::BadReply:
        message(QMessageBox::Warning, QStringLiteral("ERR"),
                refused + QStringLiteral("智能回复里不能含有“%1”.").arg(commit.offending));
        return;
    case TeachingRules::Verdict::Unencodable:
        message(QMessageBox::Warning, QStringLiteral("ERR"),
                refused + QStringLiteral("调教内容含有无法保存的字符“%1”.").arg(commit.offending));
        return;
    case TeachingRules::Verdict::Rude:
        message(QMessageBox::Warning, QStringLiteral("ERR"),
                refused + QStringLiteral("调教内容含有不良字眼."));
        m_ui.picTeach->clearBoxes();
        return;
    case TeachingRules::Verdict::Accepted:
        break;
    }
    const QString key = TeachingList::keyOf(commit.entry);
    int row = m_teachingList->findKey(key);
    if (row >= 0)
        m_teachingList->replaceEntry(row, commit.entry);
    else
        row = m_teachingList->insertEntry(commit.entry);
    m_unsaved = true;
    message(QMessageBox::Information, QStringLiteral("调教成功!"),
            QStringLiteral("调教成功!") + Cr + QStringLiteral("机器人会好好学习滴^_^"),
            QMessageBox::Yes | QMessageBox::No);
    m_ui.picTeach->clearBoxes();
    m_ui.picTeach->showHint(
        ShadowHint::forEntry(key, row, *m_teachingList, m_profile.name, m_knowledge.filterWords));
}

void FrmMain::leaveTeaching(bool closing)
{
    if (m_mode != Mode::Teaching)
        return;
    // The bytes come back only when they could not be written, to be kept elsewhere.
    const auto save = [loaded = m_knowledge, entries = m_teachingList->snapshot(),
                       path = m_dataPath, fault = m_seams.writeFault](const std::atomic_bool &) {
        // A save is never stopped half way: the file is replaced whole or not at all.
        Result<QByteArray> bytes = saveBytes(loaded, entries);
        if (!bytes)
            return std::pair(QByteArray(), Status::failure(bytes.reason()));
        Status written = KnowledgeFile::write(path, *bytes, fault);
        return std::pair(written ? QByteArray() : *std::move(bytes), std::move(written));
    };
    m_task->start(Job::Saving, QStringLiteral("正在保存数据文件……"), save,
                  [this, closing](std::pair<QByteArray, Status> outcome) {
                      const auto &[unwritten, saved] = outcome;
                      if (saved)
                          reloadAfterTeaching(closing, true);
                      else
                          decideAfterFailedSave(saved.reason(), unwritten, closing);
                  });
}

void FrmMain::decideAfterFailedSave(const QString &reason, const QByteArray &unwritten,
                                    bool closing)
{
    // Unless the user takes a way out, teaching goes on with everything taught so far; the file
    // on disk stays as it was.
    const SaveFailure::Decision decision =
        SaveFailure::ask(m_seams, m_dataPath, reason, !unwritten.isEmpty());
    switch (decision.choice) {
    case SaveFailure::Decision::Choice::Stay:
        return;
    case SaveFailure::Decision::Choice::Discard:
        reloadAfterTeaching(closing, false);
        return;
    case SaveFailure::Decision::Choice::SaveElsewhere:
        break;
    }
    // The same atomic write: a copy is either complete or not there at all.
    m_task->start(
        Job::SavingElsewhere, QStringLiteral("正在另存……"),
        [path = decision.path, unwritten](const std::atomic_bool &) {
            return KnowledgeFile::write(path, unwritten);
        },
        [this, reason, unwritten, closing, path = decision.path](Status written) {
            if (written) {
                SaveFailure::tellSavedElsewhere(m_seams, path);
                reloadAfterTeaching(closing, false);
            } else {
                SaveFailure::tellNotSavedElsewhere(m_seams, path, written.reason());
                decideAfterFailedSave(reason, unwritten, closing);
            }
        });
}

void FrmMain::reloadAfterTeaching(bool closing, bool saved)
{
    // Decoded as it is read, the bytes of a big file never stand beside its text and the table
    // it replaces.
    const auto load = [path = m_dataPath](const std::atomic_bool &stop) {
        return KnowledgeFile::load(path, &stop);
    };
    m_task->start(
        Job::Loading, ReadingStatus, load, [this, closing, saved](Result<KnowledgeBase> reloaded) {
            if (reloaded) {
                useKnowledge(*std::move(reloaded));
            } else if (!closing) {
                // Written but unreadable: the working copy is all the user has, so
                // teaching goes on and leaving again retries. Not written: the
                // knowledge loaded last stands for the file.
                message(QMessageBox::Warning, QStringLiteral("ERR"),
                        KnowledgeFile::problemMessage(
                            saved ? QStringLiteral("数据文件已经写好,但无法重新读取:")
                                  : QStringLiteral("无法重新读取数据文件:"),
                            m_dataPath, reloaded.reason(),
                            saved ? QStringLiteral("调教的内容还在,可以再点“退出调教”重试。")
                                  : QString()));
                if (saved)
                    return;
            }
            finishLeaving(closing);
        });
}

void FrmMain::finishLeaving(bool closing)
{
    m_unsaved = false;
    m_teachingList->adopt({});
    m_ui.hideKeywordList();
    setMode(Mode::Conversation);
    m_ui.picTeach->clearBoxes();
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
    // Half-way through a save or a load: the window closes as soon as that is done.
    if (m_task->busy()) {
        m_task->closeWhenDone();
        event->ignore();
        return;
    }
    if (!m_closing && !mayClose()) {
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
        releaseVoice();
        QCoreApplication::quit();
    });
}

bool FrmMain::mayClose()
{
    if (!m_unsaved)
        return true;
    const QMessageBox::StandardButton answer =
        message(QMessageBox::Warning, QStringLiteral("妙语通"),
                QStringLiteral("调教的内容还没有保存到数据文件 Data.ait。") + Cr +
                    QStringLiteral("退出之前要保存吗?"),
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) {
        leaveTeaching(true); // closes once saved
        return false;
    }
    if (answer == QMessageBox::Discard)
        m_unsaved = false;
    return answer == QMessageBox::Discard;
}

void FrmMain::saveUnasked()
{
    // While a save runs, it is writing the same work.
    if (m_mode != Mode::Teaching || !m_unsaved || m_task->busy())
        return;
    const Result<QByteArray> bytes = saveBytes(m_knowledge, m_teachingList->snapshot());
    if (bytes && KnowledgeFile::write(m_dataPath, *bytes))
        m_unsaved = false;
}

void FrmMain::releaseVoice()
{
    if (m_ownSpeaker)
        m_seams.speaker = nullptr;
    m_ownSpeaker.reset();
}

// ---- Keyboard --------------------------------------------------------------------------

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_ui.txtSend)
            m_idlePrompter.reset();
        // Enter in the keyword list picks an entry there.
        const bool enter = watched != m_ui.listDate &&
                           (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
        if (enter && watched == m_ui.txtSend && (key->modifiers() & Qt::ControlModifier)) {
            m_ui.txtSend->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if (enter && !(key->modifiers() & Qt::ControlModifier)) {
            if (auto *button = qobject_cast<QPushButton *>(watched))
                button->click();
            else
                m_ui.cmdSend->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmMain::keyPressEvent(QKeyEvent *event)
{
    // Reached only while no control has the focus: outside teaching, go back to typing.
    if (m_mode != Mode::Teaching)
        m_ui.txtSend->setFocus();
    event->accept();
}

QMessageBox::StandardButton FrmMain::message(QMessageBox::Icon icon, const QString &title,
                                             const QString &prompt,
                                             QMessageBox::StandardButtons buttons)
{
    return m_seams.showMessage(icon, title, prompt, buttons);
}
