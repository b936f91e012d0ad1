// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/TeachingList.h"

#include "knowledge/KnowledgeBase.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// Labels of a freshly built list are this far apart, room for 32 inserts between two
// neighbours before the labels must be spread out again.
constexpr quint64 LabelGap = quint64(1) << 32;

quint64 spreadLabel(qsizetype row)
{
    return (quint64(row) + 1) * LabelGap;
}

using Rows = std::vector<quint32>;

// The given rows of entries in sorted order, equal texts in the order of the rows.
Rows sortedRows(const KeyCollator &collator, const KeywordTable &entries, const Rows &rows)
{
    // Comparing a million texts through ICU some twenty million times takes seconds: the start
    // of each sort key, made once per entry, settles nearly every comparison.
    struct SortItem
    {
        KeyCollator::KeyStart start;
        quint32 row;
    };
    std::vector<SortItem> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        order[i] = {collator.sortKeyStart(entries.at(rows[i])), rows[i]};
    std::sort(order.begin(), order.end(), [&](const SortItem &a, const SortItem &b) {
        if (const auto byStart = a.start <=> b.start; byStart != 0)
            return byStart < 0;
        const int byText = collator.compare(entries.at(a.row), entries.at(b.row));
        return byText != 0 ? byText < 0 : a.row < b.row;
    });
    Rows sorted(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = order[i].row;
    return sorted;
}

} // namespace

TeachingList::TeachingList(QObject *parent) : QAbstractListModel(parent) {}

TeachingList::ItemId TeachingList::Store::add(QStringView entry)
{
    taughtSpans.append({taught.size(), entry.size()});
    taught += entry;
    return ItemId(table.size() + taughtSpans.size() - 1);
}

TeachingList::Prepared TeachingList::prepare(const KeywordTable &entries,
                                             const KeyCollator &collator,
                                             const std::atomic_bool *stop)
{
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
    const qsizetype n = entries.size();
    // A table saved by teaching is already in order, and a first-run table nearly: one pass
    // keeps every row that follows the last one kept, and only the others are sorted and
    // then placed among the kept rows.
    Rows kept;
    Rows misplaced;
    kept.reserve(size_t(n));
    for (quint32 i = 0; i < quint32(n); ++i) {
        if (i % 65536 == 0 && stopped())
            return {};
        if (kept.empty() || collator.compare(entries.at(kept.back()), entries.at(i)) <= 0)
            kept.push_back(i);
        else
            misplaced.push_back(i);
    }
    Rows order;
    if (misplaced.empty()) {
        order = std::move(kept);
    } else {
        // Equal texts keep their order in entries, as a stable sort of them all would.
        const auto before = [&](quint32 a, quint32 b) {
            const int byText = collator.compare(entries.at(a), entries.at(b));
            return byText != 0 ? byText < 0 : a < b;
        };
        const Rows sorted = sortedRows(collator, entries, misplaced);
        if (stopped())
            return {};
        order.reserve(size_t(n));
        auto next = kept.cbegin();
        for (const quint32 row : sorted) {
            const auto place = std::partition_point(
                next, kept.cend(), [&](quint32 keptRow) { return before(keptRow, row); });
            order.insert(order.end(), next, place);
            order.push_back(row);
            next = place;
        }
        order.insert(order.end(), next, kept.cend());
    }

    // An item's id is its entry's place in the table, so the list holds no text of its own.
    Prepared prepared;
    prepared.store.table = entries;
    prepared.ids.reserve(n);
    prepared.labels.resize(n);
    for (qsizetype row = 0; row < n; ++row) {
        const ItemId id = ItemId(order[size_t(row)]);
        prepared.ids.append(id);
        prepared.labels[id] = spreadLabel(row);
    }
    prepared.keys = KeyIndex::ofIds(
        quint32(n), [&entries](ItemId id) { return keyHash(KnowledgeEntry::key(entries.at(id))); });
    return prepared;
}

TeachingList::Prepared TeachingList::adopt(Prepared prepared)
{
    beginResetModel();
    std::swap(m_store, prepared.store);
    m_ids.swap(prepared.ids);
    m_labels.swap(prepared.labels);
    std::swap(m_keys, prepared.keys);
    endResetModel();
    return prepared;
}

void TeachingList::setEntries(const KeywordTable &entries)
{
    adopt(prepare(entries, m_collator));
}

void TeachingList::setEntries(const QStringList &entries)
{
    adopt(prepare(KeywordTable::fromEntries(entries), m_collator));
}

int TeachingList::rowFor(const QString &entry) const
{
    // The first place whose item sorts after entry. A replaced item may stand out of order;
    // the search then still ends beside some item, and the rest of the list keeps its order.
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (m_collator.compare(entry, textAt(middle)) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

int TeachingList::insertEntry(const QString &entry)
{
    const int row = rowFor(entry);
    const quint64 label = labelForNewRow(row);

    beginInsertRows(QModelIndex(), row, row);
    const ItemId id = m_store.add(entry);
    m_labels.append(label);
    m_ids.insert(row, id);
    m_keys.insert(keyHash(KnowledgeEntry::key(entry)), id);
    endInsertRows();
    return row;
}

void TeachingList::replaceEntry(int row, const QString &entry)
{
    if (row < 0 || row >= count())
        return;
    // The new text gets a new id in the old one's place in the list.
    const ItemId oldId = m_ids.at(row);
    m_keys.remove(keyHash(KnowledgeEntry::key(m_store.text(oldId))), oldId);
    const ItemId id = m_store.add(entry);
    m_labels.append(m_labels.at(oldId));
    m_ids[row] = id;
    m_keys.insert(keyHash(KnowledgeEntry::key(entry)), id);
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
}

int TeachingList::findKey(QStringView key) const
{
    return firstRowOf(key, [key](QStringView text) { return KnowledgeEntry::key(text) == key; });
}

int TeachingList::findEntry(QStringView entry) const
{
    const QStringView wanted = KnowledgeEntry::withoutLineEnd(entry);
    return firstRowOf(KnowledgeEntry::key(entry), [wanted](QStringView text) {
        return KnowledgeEntry::withoutLineEnd(text) == wanted;
    });
}

QString TeachingList::entryAt(int row) const
{
    return row >= 0 && row < count() ? textAt(row).toString() : QString();
}

int TeachingList::count() const
{
    return int(m_ids.size());
}

TeachingList::Snapshot TeachingList::snapshot() const
{
    Snapshot snapshot;
    snapshot.m_store = m_store;
    snapshot.m_ids = m_ids;
    return snapshot;
}

QStringList TeachingList::entries() const
{
    QStringList texts;
    texts.reserve(count());
    for (int row = 0; row < count(); ++row)
        texts.append(textAt(row).toString());
    return texts;
}

void TeachingList::clear()
{
    adopt({});
}

QString TeachingList::keyOf(const QString &entry)
{
    return KnowledgeEntry::key(entry).toString();
}

size_t TeachingList::keyHash(QStringView key)
{
    return qHash(key, QHashSeed::globalSeed());
}

int TeachingList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant TeachingList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return QVariant();
    const QStringView text = textAt(index.row());
    if (role == EntryRole)
        return text.toString();
    if (role != Qt::DisplayRole)
        return QVariant();
    // The last entry of a first-run file carries a second line end; neither belongs on screen.
    QStringView shown(text);
    while (shown.endsWith(u'\n') || shown.endsWith(u'\r'))
        shown.chop(1);
    return shown.toString();
}

quint64 TeachingList::labelForNewRow(int row)
{
    for (;;) {
        const quint64 before = row > 0 ? m_labels.at(m_ids.at(row - 1)) : 0;
        if (row == count()) {
            if (before <= std::numeric_limits<quint64>::max() - LabelGap)
                return before + LabelGap;
        } else {
            const quint64 after = m_labels.at(m_ids.at(row));
            if (after - before >= 2)
                return before + (after - before) / 2;
        }
        relabel();
    }
}

void TeachingList::relabel()
{
    for (qsizetype row = 0; row < m_ids.size(); ++row)
        m_labels[m_ids.at(row)] = spreadLabel(row);
}

int TeachingList::rowOf(ItemId id) const
{
    const quint64 label = m_labels.at(id);
    const auto found =
        std::lower_bound(m_ids.cbegin(), m_ids.cend(), label, [this](ItemId other, quint64 wanted) {
            return m_labels.at(other) < wanted;
        });
    return int(found - m_ids.cbegin());
}
