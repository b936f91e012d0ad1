// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/TeachingSession.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

// How long the end of a session waits for a save on its way: a million entries are written in
// well under this, and a session manager gives a program about this long before it insists.
constexpr auto EndWait = std::chrono::seconds(5);

Result<QByteArray> saveBytes(const KnowledgeBase &loaded, const TeachingList::Snapshot &entries)
{
    return KnowledgeFile::teachingSaveBytes(loaded, entries.size(),
                                            [&entries](qsizetype row) { return entries.at(row); });
}

} // namespace

struct TeachingSession::Running
{
    std::mutex mutex;
    std::condition_variable finishedChanged;
    bool ending = false;
    bool finished = false;
    QByteArray unwritten; // once finished without writing
    std::optional<QString> keptAt;
    QStringList keepFolders;
    QString path;

    // Keeps the unwritten work once: by the save if it fails after the session ended, or by the
    // session's end if the save had already failed. Called with the mutex held.
    void keepIfFailed()
    {
        if (!unwritten.isEmpty() && !keptAt)
            keptAt = KnowledgeFile::keep(path, unwritten, keepFolders);
    }
};

TeachingSession::TeachingSession(const KnowledgeBase &loaded, const QString &path,
                                 KnowledgeFile::WriteFault fault)
    : m_loaded(loaded), m_path(path), m_fault(std::move(fault))
{
}

TeachingSession::~TeachingSession() = default;

void TeachingSession::setMeanwhile(std::function<void(CheckedReplace::Step)> meanwhile)
{
    m_meanwhile = std::move(meanwhile);
}

void TeachingSession::committed(const QString &entry, const QString &replaced)
{
    m_commits.append({entry, replaced});
}

TeachingSession::Save TeachingSession::save(const TeachingList &workingCopy, After after)
{
    Save save;
    save.m_loaded = m_loaded;
    save.m_known = m_written.value_or(m_loaded.source);
    save.m_entries = workingCopy.snapshot();
    save.m_commits = m_commits;
    save.m_collator = workingCopy.collator();
    save.m_path = m_path;
    save.m_keepFolders = m_keepFolders;
    save.m_options = {m_fault, m_meanwhile};
    save.m_after = after;
    save.m_running = std::make_shared<Running>();
    save.m_running->keepFolders = m_keepFolders;
    save.m_running->path = m_path;
    m_running = save.m_running;
    return save;
}

void TeachingSession::saved(const Outcome &outcome)
{
    if (outcome.written && outcome.stamp)
        m_written = outcome.stamp;
}

std::optional<QString> TeachingSession::endWhileSaving()
{
    if (!m_running)
        return std::nullopt;
    std::unique_lock lock(m_running->mutex);
    m_running->ending = true;
    if (m_running->finishedChanged.wait_for(lock, EndWait, [this] { return m_running->finished; }))
        m_running->keepIfFailed();
    return m_running->keptAt;
}

void TeachingSession::end()
{
    m_commits.clear();
    m_written.reset();
    m_running.reset();
}

TeachingSession::Outcome TeachingSession::Save::run() const
{
    Outcome outcome = attempt();
    if (m_running) {
        const std::lock_guard lock(m_running->mutex);
        m_running->finished = true;
        if (!outcome.written) {
            m_running->unwritten = outcome.unwritten;
            if (m_running->ending)
                m_running->keepIfFailed();
        }
        outcome.keptAt = m_running->keptAt;
        m_running->finishedChanged.notify_all();
    }
    return outcome;
}

// The working copy goes over the file; but if another program changed the file since this
// session knew it, the commits are made again on the file as it is now, so nothing of either is
// lost, however late the change comes. A file that changed into something unreadable is not
// written over.
TeachingSession::Outcome TeachingSession::Save::attempt() const
{
    Outcome outcome;
    const Result<QByteArray> ours = saveBytes(m_loaded, m_entries);
    if (!ours) {
        outcome.written = Status::failure(ours.reason());
        return outcome;
    }
    using CheckedReplace::Content;
    const auto compose = [&](const KnowledgeFile::Loaded *changed) -> Result<Content> {
        outcome.mergeReport.clear();
        if (!changed)
            return Content{*ours};
        // Nothing taught: the file is what the other program made of it, and stays so.
        if (m_commits.isEmpty())
            return Content{{}, true};
        if (!changed->knowledge || changed->looksUtf8) {
            return Result<Content>::failure(
                QStringLiteral("调教期间，数据文件被别的程序改动过，现在读不出来了。"
                               "为了不覆盖那些改动，妙语通没有写入。%1")
                    .arg(changed->knowledge ? QStringLiteral("文件现在像是 UTF-8 编码的。")
                                            : changed->knowledge.reason()));
        }
        const TeachingMerge::Merged merged =
            TeachingMerge::onto(changed->knowledge->keywordTable, m_commits, m_collator);
        const Result<QByteArray> mergedBytes = saveBytes(*changed->knowledge, merged.entries);
        if (!mergedBytes)
            return Result<Content>::failure(mergedBytes.reason());
        outcome.mergeReport = TeachingMerge::report(merged);
        return Content{*mergedBytes};
    };
    const CheckedReplace::Done done = CheckedReplace::replace(m_path, m_known, compose, m_options);
    outcome.written = done.written;
    if (!outcome.written) {
        outcome.unwritten = *ours;
        outcome.mergeReport.clear();
    } else if (m_after == After::GoingOn && done.replaced) {
        outcome.stamp = done.stamp;
    }
    return outcome;
}

TeachingSession::Outcome TeachingSession::Save::runUnasked() const
{
    {
        const std::lock_guard lock(m_running->mutex);
        m_running->ending = true;
    }
    return run();
}
