// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Builds what the reply engine needs on the work pool: care's words, compiled once as the window
// opens, which a reply waits for rather than compile them on the window's thread; and the reply
// index of the loaded knowledge, so that loading a large table never waits for it (until it is
// ready the reply engine scans the table instead).

#include "conversation/ReplyIndex.h"

#include <QObject>
#include <atomic>
#include <memory>

struct KnowledgeBase;

class ReplyIndexBuilder : public QObject
{
    Q_OBJECT

public:
    explicit ReplyIndexBuilder(QObject *parent = nullptr);
    // Tells a build still running to stop; it holds nothing of the builder, so nothing waits.
    ~ReplyIndexBuilder() override;

    // Drops the current index and starts building one for this knowledge; ready() follows on
    // this object's thread. A build started earlier is abandoned.
    void rebuild(const KnowledgeBase &knowledge);
    // Drops the current index and abandons any build.
    void drop();

    // The index of the knowledge last given to rebuild(), or null while it is being built.
    const ReplyIndex *index() const { return m_index.get(); }
    // Care's words are compiled: the reply engine may be asked.
    bool careReady() const { return m_careReady; }

signals:
    void ready();

private:
    std::shared_ptr<const ReplyIndex> m_index;
    // The running build's flag: set, it stops the build and its result is dropped.
    std::shared_ptr<std::atomic_bool> m_abandon;
    bool m_careReady = false;
};
