// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/TeachingWorkflow.h"

#include "common/TextRules.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/ShadowHint.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingMerge.h"
#include "teaching/TeachingRules.h"
#include "window/BackgroundTask.h"
#include "window/FrmMainSeams.h"
#include "window/FrmMainUi.h"
#include "window/KeywordList.h"
#include "window/SaveFailure.h"
#include "window/TeachPanel.h"

#include <QMessageBox>

// Everything a save needs, copied off the window so that it can run anywhere.
struct SaveWork
{
    KnowledgeBase loaded;
    FileStamp known; // the file as this session last read or wrote it
    TeachingList::Snapshot entries;
    QStringList commits;
    KeyCollator collator;
    QString path;
    KnowledgeFile::WriteFault fault;
};

namespace {

const QString Cr = QStringLiteral("\r");

Result<QByteArray> saveBytes(const KnowledgeBase &loaded, const TeachingList::Snapshot &entries)
{
    return KnowledgeFile::teachingSaveBytes(loaded, entries.size(),
                                            [&entries](qsizetype row) { return entries.at(row); });
}

struct SaveOutcome
{
    Status written = Status(std::monostate());
    // This session's table, when it was not written, to be kept elsewhere.
    QByteArray unwritten;
    // Set when the file had been changed by another program meanwhile.
    QString mergeReport;
    // The file as written, when it was.
    FileStamp stamp;
};

// Writes the teaching list over Data.ait; but if another program changed the file since it was
// loaded, the commits are made again on the file as it is now, so nothing of either is lost.
// A file that changed into something unreadable is not written over.
SaveOutcome save(const SaveWork &work)
{
    SaveOutcome outcome;
    const Result<QByteArray> ours = saveBytes(work.loaded, work.entries);
    if (!ours) {
        outcome.written = Status::failure(ours.reason());
        return outcome;
    }
    QByteArray bytes = *ours;
    if (KnowledgeFile::changedSince(work.path, work.known)) {
        const KnowledgeFile::Loaded now = KnowledgeFile::load(work.path);
        if (!now.knowledge || now.looksUtf8) {
            outcome.written = Status::failure(
                QStringLiteral("调教期间，数据文件被别的程序改动过，现在读不出来了。"
                               "为了不覆盖那些改动，妙语通没有写入。%1")
                    .arg(now.knowledge ? QStringLiteral("文件现在像是 UTF-8 编码的。")
                                       : now.knowledge.reason()));
            outcome.unwritten = *ours;
            return outcome;
        }
        const TeachingMerge::Merged merged = TeachingMerge::onto(
            work.loaded.keywordTable, now.knowledge->keywordTable, work.commits, work.collator);
        const Result<QByteArray> mergedBytes = saveBytes(*now.knowledge, merged.entries);
        if (!mergedBytes) {
            outcome.written = Status::failure(mergedBytes.reason());
            outcome.unwritten = *ours;
            return outcome;
        }
        bytes = *mergedBytes;
        outcome.mergeReport = TeachingMerge::report(merged);
    }
    outcome.written = KnowledgeFile::write(work.path, bytes, work.fault);
    if (!outcome.written)
        outcome.unwritten = *ours;
    else if (const Result<FileStamp> stamp = KnowledgeFile::stampOf(work.path))
        outcome.stamp = *stamp;
    return outcome;
}

using Job = BackgroundTask::Job;

} // namespace

TeachingWorkflow::TeachingWorkflow(const FrmMainUi &ui, TeachingList &list, BackgroundTask &task,
                                   const FrmMainSeams &seams, const KnowledgeBase &knowledge,
                                   const QString &dataPath, const QString &robotName,
                                   QObject *parent)
    : QObject(parent), m_ui(ui), m_list(list), m_task(task), m_seams(seams), m_knowledge(knowledge),
      m_dataPath(dataPath), m_robotName(robotName)
{
    connect(m_ui.picTeach, &TeachPanel::keywordEdited, this, &TeachingWorkflow::lookUpKeyword);
    connect(m_ui.picTeach, &TeachPanel::commitRequested, this, &TeachingWorkflow::commit);
    connect(m_ui.picTeach, &TeachPanel::leaveRequested, this, [this] { leave(); });
    connect(m_ui.picTeach, &TeachPanel::showListRequested, this, [this] {
        if (m_active)
            m_ui.showKeywordList();
    });
    connect(m_ui.listDate, &KeywordList::picked, this, &TeachingWorkflow::pick);
}

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
    m_commits.append(commit.entry);
    int row = m_list.findKey(key);
    if (row >= 0)
        m_list.replaceEntry(row, commit.entry);
    else
        row = m_list.insertEntry(commit.entry);
    m_unsaved = true;
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
    // The bytes come back only when they could not be written, to be kept elsewhere.
    // A save is never stopped half way: the file is replaced whole or not at all.
    m_task.start(
        Job::Saving, QStringLiteral("正在保存数据文件……"),
        [work = saveWork()](const std::atomic_bool &) { return save(work); },
        [this, closing](const SaveOutcome &outcome) {
            if (!outcome.mergeReport.isEmpty()) {
                m_seams.tell(QMessageBox::Information, outcome.mergeReport);
            }
            if (outcome.written) {
                m_written = outcome.stamp; // ours now, whatever the reload finds
                reload(closing, true);
            } else {
                decideAfterFailedSave(outcome.written.reason(), outcome.unwritten, closing);
            }
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
        [path = decision.path, unwritten](const std::atomic_bool &) {
            return KnowledgeFile::write(path, unwritten);
        },
        [this, reason, unwritten, closing, path = decision.path](Status written) {
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
    // Decoded as it is read, the bytes of a big file never stand beside its text and the table
    // it replaces.
    const auto load = [path = m_dataPath](const std::atomic_bool &stop) {
        return KnowledgeFile::load(path, &stop).knowledge;
    };
    m_task.start(Job::Loading, QStringLiteral("正在读取数据文件……"), load,
                 [this, closing, saved](Result<KnowledgeBase> reloaded) {
                     if (reloaded) {
                         emit this->reloaded(*reloaded);
                     } else if (!closing) {
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
                     finish(closing);
                 });
}

void TeachingWorkflow::finish(bool closing)
{
    m_unsaved = false;
    m_commits.clear();
    m_written.reset();
    m_list.adopt({});
    m_ui.hideKeywordList();
    setActive(false);
    m_ui.picTeach->clearBoxes();
    emit left(closing);
}

bool TeachingWorkflow::mayClose()
{
    if (!m_unsaved)
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
        m_unsaved = false;
    return answer == QMessageBox::Discard;
}

SaveWork TeachingWorkflow::saveWork() const
{
    return {m_knowledge,       m_written.value_or(m_knowledge.source),
            m_list.snapshot(), m_commits,
            m_list.collator(), m_dataPath,
            m_seams.writeFault};
}

void TeachingWorkflow::saveUnasked()
{
    // While a save runs, it is writing the same work.
    if (!m_active || !m_unsaved || m_task.busy())
        return;
    const SaveOutcome outcome = save(saveWork());
    if (!outcome.written && !outcome.unwritten.isEmpty()) {
        // No one can be asked where to keep it: a new file beside Data.ait, which the next
        // start points out.
        KnowledgeFile::keepBeside(m_dataPath, outcome.unwritten);
    }
    m_unsaved = false;
}
