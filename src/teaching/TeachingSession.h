// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// One teaching session from its first commit to the file: the entries committed since teaching
// began, the file as this session last knew it, and the save, which writes the working copy or,
// when another program changed the file meanwhile, makes the commits again on the file as it is
// now. A save is a value of its own and runs on any thread; its outcome is in words.

#include "common/Result.h"
#include "knowledge/CheckedReplace.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/KeyCollator.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingMerge.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class TeachingSession
{
public:
    // Whether the program goes on after the save, or ends with it.
    enum class After
    {
        GoingOn,
        Ending,
    };

    struct Outcome
    {
        Status written = Status(std::monostate());
        // This session's table, when it was not written: to be kept elsewhere.
        QByteArray unwritten;
        // What the user is told when another program had changed the file meanwhile.
        QString mergeReport;
        // The file as written, for the next save to compare with; not taken when the program
        // ends with this save.
        std::optional<FileStamp> stamp;
        // Where unwritten work was kept when no one could be asked.
        std::optional<QString> keptAt;
    };

    // A save on its way: the session's end waits for it, and a failure it meets after that keeps
    // the work in a file of its own.
    struct Running;

    // Everything one save needs, copied off the window.
    class Save
    {
    public:
        Outcome run() const;
        // For when no one can be asked (a termination signal, the session ending): work that
        // cannot go into the file is kept in a new file, which the next start names.
        Outcome runUnasked() const;

    private:
        friend class TeachingSession;
        Outcome attempt() const;
        KnowledgeBase m_loaded;
        FileStamp m_known;
        TeachingList::Snapshot m_entries;
        QList<TeachingMerge::Commit> m_commits;
        KeyCollator m_collator;
        QString m_path;
        QStringList m_keepFolders;
        CheckedReplace::Options m_options;
        After m_after = After::GoingOn;
        std::shared_ptr<Running> m_running;
    };

    // loaded: the file as read last; its header and lists are written back as they were.
    TeachingSession(const KnowledgeBase &loaded, const QString &path,
                    KnowledgeFile::WriteFault fault = {});
    ~TeachingSession();

    // Where work that cannot be written is kept when the folder of the file takes no new file,
    // in this order (the user's own data folder, then the home folder).
    void setKeepFolders(const QStringList &folders) { m_keepFolders = folders; }
    // Acts between the steps of every save (tests play another program there).
    void setMeanwhile(std::function<void(CheckedReplace::Step)> meanwhile);

    // entry (with its line end) went into the working copy in place of replaced, the row the
    // list held for its key (empty when the key was new).
    void committed(const QString &entry, const QString &replaced);
    bool hasUnsavedWork() const { return !m_commits.isEmpty(); }

    // The save of the working copy, as it stands now, to the file.
    Save save(const TeachingList &workingCopy, After after);
    // A save has come back: once written, the file as written is the one a later save compares
    // with, whatever reading it again finds.
    void saved(const Outcome &outcome);
    // The session ends while the last save may still run: waits for it a bounded time, and if it
    // failed (or fails later), its work is kept in a file of its own. Returns where, if known.
    std::optional<QString> endWhileSaving();
    // Teaching ended, saved or given up: the next session starts afresh.
    void end();

private:
    const KnowledgeBase &m_loaded;
    const QString m_path;
    const KnowledgeFile::WriteFault m_fault;
    QStringList m_keepFolders;
    std::function<void(CheckedReplace::Step)> m_meanwhile;
    // Oldest first: what a save makes again on a file another program changed.
    QList<TeachingMerge::Commit> m_commits;
    std::optional<FileStamp> m_written;
    std::shared_ptr<Running> m_running;
};
