// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/ReplyIndexBuilder.h"

#include "care/Care.h"
#include "common/BackgroundWork.h"
#include "knowledge/KnowledgeBase.h"

ReplyIndexBuilder::ReplyIndexBuilder(QObject *parent) : QObject(parent)
{
    // Compiled once for the program: a later window finds them ready at once.
    BackgroundWork::start(
        this, BackgroundWork::Abandon::Never,
        [](const std::atomic_bool &) { return &Care::builtIn(); },
        [this](const Care *) { m_careReady = true; });
}

ReplyIndexBuilder::~ReplyIndexBuilder()
{
    drop();
}

void ReplyIndexBuilder::rebuild(const KnowledgeBase &knowledge)
{
    drop();
    // The build gets its own shared copies of the lists: the window may load others meanwhile.
    KnowledgeBase lists;
    lists.filterWords = knowledge.filterWords;
    lists.keywordTable = knowledge.keywordTable;
    m_abandon = BackgroundWork::start(
        this, BackgroundWork::Abandon::Allowed,
        [lists = std::move(lists)](const std::atomic_bool &stop) {
            std::optional<ReplyIndex> built = ReplyIndex::build(lists, &stop);
            return built ? std::make_shared<const ReplyIndex>(std::move(*built)) : nullptr;
        },
        [this](std::shared_ptr<const ReplyIndex> index) {
            if (!index)
                return;
            m_index = std::move(index);
            emit ready();
        });
}

void ReplyIndexBuilder::drop()
{
    m_index.reset();
    if (m_abandon)
        m_abandon->store(true);
    m_abandon.reset();
}
