// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/ReplyIndexBuilder.h"

#include "knowledge/KnowledgeBase.h"

#include <QMetaObject>

ReplyIndexBuilder::ReplyIndexBuilder(QObject *parent) : QObject(parent) {}

ReplyIndexBuilder::~ReplyIndexBuilder()
{
    abandonBuilds();
    for (Build &build : m_builds)
        build.thread.join();
}

void ReplyIndexBuilder::rebuild(const KnowledgeBase &knowledge)
{
    drop();
    const quint64 generation = m_generation;
    Build build;
    build.cancel = std::make_shared<std::atomic_bool>(false);
    build.finished = std::make_shared<std::atomic_bool>(false);
    // The worker gets its own shared copies of the lists: the window may load others meanwhile.
    KnowledgeBase lists;
    lists.filterWords = knowledge.filterWords;
    lists.keywordTable = knowledge.keywordTable;
    build.thread = std::thread([this, generation, lists = std::move(lists), cancel = build.cancel,
                                finished = build.finished] {
        std::optional<ReplyIndex> built = ReplyIndex::build(lists, cancel.get());
        if (built && !cancel->load()) {
            auto index = std::make_shared<ReplyIndex>(std::move(*built));
            // Queued: the index changes hands on the builder's thread only. The destructor
            // joins this thread first, so the builder is still alive here.
            QMetaObject::invokeMethod(
                this, [this, generation, index] { adopt(generation, index); },
                Qt::QueuedConnection);
        }
        finished->store(true);
    });
    m_builds.push_back(std::move(build));
}

void ReplyIndexBuilder::drop()
{
    ++m_generation;
    m_index.reset();
    abandonBuilds();
    joinFinished();
}

void ReplyIndexBuilder::adopt(quint64 generation, std::shared_ptr<ReplyIndex> index)
{
    joinFinished();
    if (generation != m_generation)
        return;
    m_index = std::make_unique<const ReplyIndex>(std::move(*index));
    emit ready();
}

void ReplyIndexBuilder::abandonBuilds()
{
    for (Build &build : m_builds)
        build.cancel->store(true);
}

void ReplyIndexBuilder::joinFinished()
{
    std::erase_if(m_builds, [](Build &build) {
        if (!build.finished->load())
            return false;
        build.thread.join();
        return true;
    });
}
