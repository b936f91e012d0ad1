// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/TeachingWorkflow.h"

#include "common/TextRules.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/ShadowHint.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingRules.h"
#include "teaching/TeachingSession.h"
#include "window/BackgroundTask.h"
#include "window/FrmMainSeams.h"
#include "window/FrmMainUi.h"
#include "window/KeywordList.h"
#include "window/SaveFailure.h"
#include "window/TeachPanel.h"

#include <QMessageBox>

namespace {

const QString Cr = QStringLiteral("\r");

using Job = BackgroundTask::Job;

} // namespace

TeachingWorkflow::TeachingWorkflow(const FrmMainUi &ui, TeachingList &list, BackgroundTask &task,
                                   const FrmMainSeams &seams, const KnowledgeBase &knowledge,
                                   const QString &dataPath, const QString &robotName,
                                   QObject *parent)
    : QObject(parent), m_ui(ui), m_list(list), m_task(task), m_seams(seams), m_knowledge(knowledge),
      m_dataPath(dataPath), m_robotName(robotName),
      m_session(std::make_unique<TeachingSession>(knowledge, dataPath, seams.writeFault))
{
    m_session->setKeepFolders(seams.keepFolders);
    connect(m_ui.picTeach, &TeachPanel::keywordEdited, this, &TeachingWorkflow::lookUpKeyword);
    connect(m_ui.picTeach, &TeachPanel::commitRequested, this, &TeachingWorkflow::commit);
    connect(m_ui.picTeach, &TeachPanel::leaveRequested, this, [this] { leave(); });
    connect(m_ui.picTeach, &TeachPanel::showListRequested, this, [this] {
        if (m_active)
            m_ui.showKeywordList();
    });
    connect(m_ui.listDate, &KeywordList::picked, this, &TeachingWorkflow::pick);
}

TeachingWorkflow::~TeachingWorkflow() = default;

void TeachingWorkflow::setActive(bool active)
{
    m_active = active;
    m_ui.picTeach->setActive(active);
    m_ui.picTeach->showHint({});
    m_ui.coverInputArea(active);
}

// ---- Entering ---------------------------------------------------------------------------

void TeachingWorkflow::enter(Start start, const QString &pendingMessage)
{
    if (m_task.busy())
        return;
    if (m_active) {
        show(start, pendingMessage);
        return;
    }
    const auto prepare = [table = m_knowledge.keywordTable,
                          collator = m_list.collator()](const std::atomic_bool &stop) {
        return TeachingList::prepare(table, collator, &stop);
    };
    m_task.start(Job::PreparingTeaching, QStringLiteral("正在准备调教……"), prepare,
                 [this, start, pendingMessage](TeachingList::Prepared prepared) {
                     if (m_task.closing())
                         return; // the window closes instead
                     m_list.adopt(std::move(prepared));
                     show(start, pendingMessage);
                 });
}

void TeachingWorkflow::show(Start start, const QString &pendingMessage)
{
    setActive(true);
    emit started();
    if (start == Start::Button) {
        m_ui.picTeach->setKeyword(pendingMessage); // its change runs the lookup
        m_ui.picTeach->focusReplies();
    } else {
        m_ui.picTeach->setKeyword({});
        m_ui.picTeach->focusKeyword();
    }
}

// ---- The panel ----------------------------------------------------------------------------

void TeachingWorkflow::lookUpKeyword()
{
    if (m_list.count() == 0)
        return;
    const QString key = TextRules::normalise(m_ui.picTeach->keyword());
    const int row = m_list.findKey(key);
    m_ui.picTeach->setReplies(row < 0 ? QString() : TeachingRules::repliesOf(m_list.entryAt(row)));
    // Said while the key is typed, before anything is committed.
    if (!key.isEmpty()) {
        m_ui.picTeach->showHint(ShadowHint::forEntry(key,
                                                     row >= 0 ? row : m_list.rowFor(key + u'\\'),
                                                     m_list, m_robotName, m_knowledge.filterWords));
    }
}

void TeachingWorkflow::pick(const QModelIndex &index)
{
    if (m_active && index.isValid())
        m_ui.picTeach->setKeyword(TeachingList::keyOf(m_list.entryAt(index.row())));
}

void TeachingWorkflow::commit()
{
    if (!m_active)
        return;
    const auto refuse = [this](const QString &why) {
        m_seams.showMessage(QMessageBox::Warning, QStringLiteral("ERR"),
                            QStringLiteral("本次调教未能成功,可能的原因:") + Cr + why,
                            QMessageBox::Ok);
    };
    const TeachingRules::Commit commit = TeachingRules::check(
        m_ui.picTeach->keyword(), m_ui.picTeach->replies(), m_knowledge.filterWords);
    switch (commit.verdict) {
    case TeachingRules::Verdict::Malformed:
        refuse(QStringLiteral("1,关键字或智能回复为空;") + Cr +
               QStringLiteral("2,关键字含有“|”或“\\”符号."));
        return;
    case TeachingRules::Verdict::BadReply:
        refuse(QStringLiteral("智能回复里不能含有“%1”。").arg(commit.offending));
        return;
    case TeachingRules::Verdict::Unencodable:
        refuse(QStringLiteral("调教内容含有无法保存的字符“%1”。").arg(commit.offending));
        return;
    case TeachingRules::Verdict::Rude:
        refuse(QStringLiteral("调教内容含有不良字眼."));
        m_ui.picTeach->clearBoxes();
        return;
    case TeachingRules::Verdict::Accepted:
        break;
    }
    const QString key = TeachingList::keyOf(commit.entry);
    int row = m_list.findKey(key);
    m_session->committed(commit.entry, row >= 0 ? m_list.entryAt(row) : QString());
    if (row >= 0)
        m_list.replaceEntry(row, commit.entry);
    else
        row = m_list.insertEntry(commit.entry);
    m_seams.showMessage(QMessageBox::Information, QStringLiteral("调教成功!"),
                        QStringLiteral("调教成功!") + Cr + QStringLiteral("机器人会好好学习滴^_^"),
                        QMessageBox::Yes | QMessageBox::No);
    m_ui.picTeach->clearBoxes();
    m_ui.picTeach->showHint(
        ShadowHint::forEntry(key, row, m_list, m_robotName, m_knowledge.filterWords));
}

// ---- Saving and leaving -----------------------------------------------------------------

void TeachingWorkflow::leave(bool closing)
{
    if (!m_active)
        return;
    // A save is never stopped half way: the file is replaced whole or not at all.
    const TeachingSession::Save save = m_session->save(
        m_list, closing ? TeachingSession::After::Ending : TeachingSession::After::GoingOn);
    m_task.start(
        Job::Saving, QStringLiteral("正在保存数据文件……"),
        [save](const std::atomic_bool &) { return save.run(); },
        [this, closing](const TeachingSession::Outcome &outcome) {
            if (!outcome.mergeReport.isEmpty())
                m_seams.tell(QMessageBox::Information, outcome.mergeReport);
            m_session->saved(outcome);
            if (outcome.written)
                reload(closing, true);
            else
                decideAfterFailedSave(outcome.written.reason(), outcome.unwritten, closing);
        });
}

void TeachingWorkflow::decideAfterFailedSave(const QString &reason, const QByteArray &unwritten,
                                             bool closing)
{
    // Unless the user takes a way out, teaching goes on with everything taught so far; the file
    // on disk stays as it was.
    const SaveFailure::Decision decision =
        SaveFailure::ask(m_seams, m_dataPath, reason, !unwritten.isEmpty(), closing);
    switch (decision.choice) {
    case SaveFailure::Decision::Choice::Stay:
        return;
    case SaveFailure::Decision::Choice::Discard:
        reload(closing, false);
        return;
    case SaveFailure::Decision::Choice::SaveElsewhere:
        break;
    }
    // The same atomic write: a copy is either complete or not there at all.
    m_task.start(
        Job::SavingElsewhere, QStringLiteral("正在另存……"),
        [file = decision.file, unwritten](const std::atomic_bool &) {
            return KnowledgeFile::write(file, unwritten);
        },
        [this, reason, unwritten, closing, path = decision.file.path](Status written) {
            if (written) {
                SaveFailure::tellSavedElsewhere(m_seams, path);
                reload(closing, false);
            } else {
                SaveFailure::tellNotSavedElsewhere(m_seams, path, written.reason());
                decideAfterFailedSave(reason, unwritten, closing);
            }
        });
}

void TeachingWorkflow::reload(bool closing, bool saved)
{
    // The window closes: what the file holds now is of no use to it.
    if (closing) {
        finish(closing);
        return;
    }
    // Decoded as it is read, the bytes of a big file never stand beside its text and the table
    // it replaces.
    const auto load = [path = m_dataPath](const std::atomic_bool &stop) {
        return KnowledgeFile::load(path, &stop).knowledge;
    };
    m_task.start(Job::Loading, QStringLiteral("正在读取数据文件……"), load,
                 [this, saved](Result<KnowledgeBase> reloaded) {
                     if (reloaded) {
                         emit this->reloaded(*reloaded);
                     } else {
                         // Written but unreadable: the working copy is all the user has, so
                         // teaching goes on and leaving again retries. Not written: the knowledge
                         // loaded last stands for the file.
                         m_seams.tell(
                             QMessageBox::Warning,
                             KnowledgeFile::problemMessage(
                                 saved ? QStringLiteral("数据文件已经保存，但无法重新读取：")
                                       : QStringLiteral("无法重新读取数据文件："),
                                 m_dataPath, reloaded.reason(),
                                 saved ? QStringLiteral("调教的内容还在，可以再点“退出调教”重试。")
                                       : QStringLiteral("妙语通会继续使用之前读取的内容。")));
                         if (saved)
                             return;
                     }
                     finish(false);
                 });
}

void TeachingWorkflow::finish(bool closing)
{
    m_session->end();
    m_list.adopt({});
    m_ui.hideKeywordList();
    setActive(false);
    m_ui.picTeach->clearBoxes();
    emit left(closing);
}

bool TeachingWorkflow::hasUnsavedWork() const
{
    return m_session->hasUnsavedWork();
}

bool TeachingWorkflow::mayClose()
{
    if (!hasUnsavedWork())
        return true;
    const QMessageBox::StandardButton answer =
        m_seams.showMessage(QMessageBox::Warning, QStringLiteral("妙语通"),
                            QStringLiteral("调教的内容还没有保存到数据文件 Data.ait。") + Cr +
                                QStringLiteral("退出之前要保存吗？"),
                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) {
        leave(true); // closes once saved
        return false;
    }
    if (answer == QMessageBox::Discard)
        m_session->end();
    return answer == QMessageBox::Discard;
}

void TeachingWorkflow::saveUnasked()
{
    if (!m_active || !hasUnsavedWork())
        return;
    // A save on its way is writing the same work: its outcome is awaited, and should it fail,
    // the work is kept where the next start finds it, for no one is left to ask.
    if (m_task.job() == BackgroundTask::Job::Saving) {
        m_session->endWhileSaving();
        return;
    }
    if (m_task.busy())
        return;
    m_session->save(m_list, TeachingSession::After::Ending).runUnasked();
    m_session->end();
}
