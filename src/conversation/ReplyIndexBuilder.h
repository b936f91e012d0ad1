// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Builds the reply index of the loaded knowledge on a worker thread, so that loading a large
// table never waits for it; until it is ready the reply engine scans the table instead.

#include "conversation/ReplyIndex.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

struct KnowledgeBase;

class ReplyIndexBuilder : public QObject
{
    Q_OBJECT

public:
    explicit ReplyIndexBuilder(QObject *parent = nullptr);
    // Stops any build that is still running and waits for it.
    ~ReplyIndexBuilder() override;

    // Drops the current index and starts building one for this knowledge; ready() follows on
    // this object's thread. A build started earlier is abandoned.
    void rebuild(const KnowledgeBase &knowledge);
    // Drops the current index and abandons any build.
    void drop();

    // The index of the knowledge last given to rebuild(), or null while it is being built.
    const ReplyIndex *index() const { return m_index.get(); }

signals:
    void ready();

private:
    struct Build
    {
        std::thread thread;
        std::shared_ptr<std::atomic_bool> cancel;
        std::shared_ptr<std::atomic_bool> finished;
    };

    void adopt(quint64 generation, std::shared_ptr<ReplyIndex> index);
    void abandonBuilds();
    void joinFinished();

    std::unique_ptr<const ReplyIndex> m_index;
    std::vector<Build> m_builds;
    quint64 m_generation = 0;
};
