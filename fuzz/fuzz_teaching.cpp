// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Teaching sessions from any input: lines of "keyword<TAB>replies" are committed as the
// teaching panel would; an empty line saves the file and reloads it, as leaving teaching does.
// Nothing accepted may be lost by a save and a reload.

#include "FuzzCheck.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingRules.h"

namespace {

// The default knowledge cut to its first entries, so that each run is quick.
const KnowledgeBase &startKnowledge()
{
    static const KnowledgeBase kb = [] {
        const KnowledgeBase full =
            *KnowledgeBase::parse(*KnowledgeFile::firstRunBytes(QStringLiteral("fuzz")));
        return *KnowledgeBase::parse(*KnowledgeFile::teachingSaveBytes(
            full, KeywordTable::fromEntries(full.keywordTable.toList().mid(0, 24))));
    }();
    return kb;
}

// Saves the working copy, loads the save, and checks every entry came back.
KnowledgeBase saveAndReload(const KnowledgeBase &kb, TeachingList &list,
                            const QStringList &accepted)
{
    const KeywordTable entries = KeywordTable::fromEntries(list.entries());
    const Result<QByteArray> saved = KnowledgeFile::teachingSaveBytes(kb, entries);
    require(bool(saved), "accepted entries can always be saved");
    const Result<KnowledgeBase> reloaded = KnowledgeBase::parse(*saved);
    require(bool(reloaded), "a teaching save loads");
    require(entryRows(reloaded->keywordTable) == entryRows(entries),
            "the reload has the working copy's entries, in order");
    TeachingList fresh;
    fresh.setEntries(reloaded->keywordTable);
    for (const QString &entry : accepted)
        require(fresh.findKey(TeachingList::keyOf(entry)) >= 0, "every taught key is found");
    list.setEntries(reloaded->keywordTable);
    return *reloaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    KnowledgeBase kb = startKnowledge();
    TeachingList list;
    list.setEntries(kb.keywordTable);
    QStringList accepted;
    for (const QString &line : QString::fromUtf8(fuzzBytes(data, size)).split(u'\n')) {
        if (line.isEmpty()) {
            kb = saveAndReload(kb, list, accepted);
            continue;
        }
        const QString keyword = line.section(u'\t', 0, 0);
        const QString replies = line.section(u'\t', 1);
        const TeachingRules::Commit commit = TeachingRules::check(keyword, replies, kb.filterWords);
        if (commit.verdict != TeachingRules::Verdict::Accepted)
            continue;
        const int row = list.findKey(TeachingList::keyOf(commit.entry));
        if (row >= 0)
            list.replaceEntry(row, commit.entry);
        else
            list.insertEntry(commit.entry);
        require(list.findKey(TeachingList::keyOf(commit.entry)) >= 0, "a commit is found at once");
        accepted += commit.entry;
    }
    saveAndReload(kb, list, accepted);
    return 0;
}
