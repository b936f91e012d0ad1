// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/TeachingSession.h"

#include "teaching/TeachingMerge.h"

namespace {

Result<QByteArray> saveBytes(const KnowledgeBase &loaded, const TeachingList::Snapshot &entries)
{
    return KnowledgeFile::teachingSaveBytes(loaded, entries.size(),
                                            [&entries](qsizetype row) { return entries.at(row); });
}

} // namespace

TeachingSession::TeachingSession(const KnowledgeBase &loaded, const QString &path,
                                 KnowledgeFile::WriteFault fault)
    : m_loaded(loaded), m_path(path), m_fault(std::move(fault))
{
}

void TeachingSession::committed(const QString &entry)
{
    m_commits.append(entry);
}

TeachingSession::Save TeachingSession::save(const TeachingList &workingCopy, After after) const
{
    Save save;
    save.m_loaded = m_loaded;
    save.m_known = m_written.value_or(m_loaded.source);
    save.m_entries = workingCopy.snapshot();
    save.m_commits = m_commits;
    save.m_collator = workingCopy.collator();
    save.m_path = m_path;
    save.m_fault = m_fault;
    save.m_after = after;
    return save;
}

void TeachingSession::saved(const Outcome &outcome)
{
    if (outcome.written && outcome.stamp)
        m_written = outcome.stamp;
}

void TeachingSession::end()
{
    m_commits.clear();
    m_written.reset();
}

// The working copy goes over the file; but if another program changed the file since this
// session knew it, the commits are made again on the file as it is now, so nothing of either is
// lost. A file that changed into something unreadable is not written over.
TeachingSession::Outcome TeachingSession::Save::run() const
{
    Outcome outcome;
    const Result<QByteArray> ours = saveBytes(m_loaded, m_entries);
    if (!ours) {
        outcome.written = Status::failure(ours.reason());
        return outcome;
    }
    QByteArray bytes = *ours;
    if (KnowledgeFile::changedSince(m_path, m_known)) {
        const KnowledgeFile::Loaded now = KnowledgeFile::load(m_path);
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
            m_loaded.keywordTable, now.knowledge->keywordTable, m_commits, m_collator);
        const Result<QByteArray> mergedBytes = saveBytes(*now.knowledge, merged.entries);
        if (!mergedBytes) {
            outcome.written = Status::failure(mergedBytes.reason());
            outcome.unwritten = *ours;
            return outcome;
        }
        bytes = *mergedBytes;
        outcome.mergeReport = TeachingMerge::report(merged);
    }
    outcome.written = KnowledgeFile::write(m_path, bytes, m_fault);
    if (!outcome.written) {
        outcome.unwritten = *ours;
    } else if (m_after == After::GoingOn) {
        // Read back for its checksum (it was written moments ago): only worth it when another
        // save may follow.
        if (const Result<FileStamp> stamp = KnowledgeFile::stampOf(m_path))
            outcome.stamp = *stamp;
    }
    return outcome;
}

TeachingSession::Outcome TeachingSession::Save::runUnasked() const
{
    const Outcome outcome = run();
    if (!outcome.written && !outcome.unwritten.isEmpty())
        KnowledgeFile::keepBeside(m_path, outcome.unwritten);
    return outcome;
}
