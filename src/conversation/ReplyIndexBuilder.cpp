// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/ReplyIndexBuilder.h"

#include "common/ThreadCheck.h"
#include "common/WorkPool.h"
#include "knowledge/KnowledgeBase.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

ReplyIndexBuilder::ReplyIndexBuilder(QObject *parent) : QObject(parent) {}

ReplyIndexBuilder::~ReplyIndexBuilder()
{
    drop();
}

void ReplyIndexBuilder::rebuild(const KnowledgeBase &knowledge)
{
    drop();
    auto abandon = m_abandon = std::make_shared<std::atomic_bool>(false);
    // The build gets its own shared copies of the lists: the window may load others meanwhile.
    KnowledgeBase lists;
    lists.filterWords = knowledge.filterWords;
    lists.keywordTable = knowledge.keywordTable;
    ThreadCheck::handOver(abandon.get());
    // Delivered through a watcher, as the window's own work is: its signal comes through the
    // event loop, and it goes with the builder.
    auto *watcher = new QFutureWatcher<std::shared_ptr<const ReplyIndex>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, abandon] {
        watcher->deleteLater();
        ThreadCheck::takeOver(abandon.get());
        std::shared_ptr<const ReplyIndex> index = watcher->future().takeResult();
        if (abandon->load() || !index)
            return;
        m_index = std::move(index);
        emit ready();
    });
    watcher->setFuture(QtConcurrent::run(
        &WorkPool::instance(),
        [lists = std::move(lists), abandon]() -> std::shared_ptr<const ReplyIndex> {
            ThreadCheck::takeOver(abandon.get());
            std::optional<ReplyIndex> built = ReplyIndex::build(lists, abandon.get());
            auto index = built ? std::make_shared<const ReplyIndex>(std::move(*built)) : nullptr;
            ThreadCheck::handOver(abandon.get());
            return index;
        }));
}

void ReplyIndexBuilder::drop()
{
    m_index.reset();
    if (m_abandon)
        m_abandon->store(true);
    m_abandon.reset();
}
