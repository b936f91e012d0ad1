// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// One teaching session from its first commit to the file: the entries committed since teaching
// began, the file as this session last knew it, and the save, which writes the working copy or,
// when another program changed the file meanwhile, makes the commits again on the file as it is
// now. A save is a value of its own and runs on any thread; its outcome is in words.

#include "common/Result.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/KeyCollator.h"
#include "teaching/TeachingList.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
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
    };

    // Everything one save needs, copied off the window.
    class Save
    {
    public:
        Outcome run() const;
        // For when no one can be asked (a termination signal, the session ending): work that
        // cannot go into the file is kept in a new file beside it, which the next start names.
        Outcome runUnasked() const;

    private:
        friend class TeachingSession;
        KnowledgeBase m_loaded;
        FileStamp m_known;
        TeachingList::Snapshot m_entries;
        QStringList m_commits;
        KeyCollator m_collator;
        QString m_path;
        KnowledgeFile::WriteFault m_fault;
        After m_after = After::GoingOn;
    };

    // loaded: the file as read last; its header and lists are written back as they were.
    TeachingSession(const KnowledgeBase &loaded, const QString &path,
                    KnowledgeFile::WriteFault fault = {});

    // entry (with its line end) went into the working copy.
    void committed(const QString &entry);
    bool hasUnsavedWork() const { return !m_commits.isEmpty(); }

    // The save of the working copy, as it stands now, to the file.
    Save save(const TeachingList &workingCopy, After after) const;
    // A save has come back: once written, the file as written is the one a later save compares
    // with, whatever reading it again finds.
    void saved(const Outcome &outcome);
    // Teaching ended, saved or given up: the next session starts afresh.
    void end();

private:
    const KnowledgeBase &m_loaded;
    const QString m_path;
    const KnowledgeFile::WriteFault m_fault;
    // Oldest first: what a save makes again on a file another program changed.
    QStringList m_commits;
    std::optional<FileStamp> m_written;
};
