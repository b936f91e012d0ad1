// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "teaching/TeachingList.h"

#include "knowledge/KnowledgeBase.h"

#include <algorithm>
#include <cstring>
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

// One entry of a bulk sort: the first bytes of its sort key as a number decide most
// comparisons without touching the key buffer.
struct SortItem
{
    quint64 prefix;
    qsizetype keyOffset;
    qsizetype input;
};

quint64 keyPrefix(const char *key)
{
    quint64 prefix = 0;
    int taken = 0;
    for (; taken < 8 && key[taken] != 0; ++taken)
        prefix = (prefix << 8) | quint8(key[taken]);
    return prefix << (8 * (8 - taken));
}

// The given rows of entries in sorted order, equal texts in the order of the rows.
std::vector<qsizetype> sortedRows(const KeyCollator &collator, const QStringList &entries,
                                  const std::vector<qsizetype> &rows)
{
    // Comparing a million texts through ICU some twenty million times takes seconds; sort keys
    // are made once per entry and then compared as bytes.
    QByteArray keys;
    keys.reserve(qsizetype(rows.size()) * 48);
    std::vector<SortItem> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SortItem &item = order[i];
        item.keyOffset = keys.size();
        item.input = rows[i];
        collator.appendSortKey(entries.at(rows[i]), keys);
        item.prefix = keyPrefix(keys.constData() + item.keyOffset);
    }
    const char *keyData = keys.constData();
    std::sort(order.begin(), order.end(), [keyData](const SortItem &a, const SortItem &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int byKey = std::strcmp(keyData + a.keyOffset, keyData + b.keyOffset);
        return byKey != 0 ? byKey < 0 : a.input < b.input;
    });
    std::vector<qsizetype> sorted(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = order[i].input;
    return sorted;
}

} // namespace

TeachingList::TeachingList(QObject *parent) : QAbstractListModel(parent) {}

TeachingList::Prepared TeachingList::prepare(const QStringList &entries) const
{
    // A collator of its own: ICU collators are not to be shared between threads.
    const KeyCollator collator = m_collator;
    const qsizetype n = entries.size();
    // A table saved by teaching is already in order, and a first-run table nearly: one pass
    // keeps every row that follows the last one kept, and only the others are sorted and
    // then placed among the kept rows.
    std::vector<qsizetype> kept;
    std::vector<qsizetype> misplaced;
    kept.reserve(size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        if (kept.empty() || collator.compare(entries.at(kept.back()), entries.at(i)) <= 0)
            kept.push_back(i);
        else
            misplaced.push_back(i);
    }
    std::vector<qsizetype> order;
    if (misplaced.empty()) {
        order = std::move(kept);
    } else {
        // Equal texts keep their order in entries, as a stable sort of them all would.
        const auto before = [&](qsizetype a, qsizetype b) {
            const int byText = collator.compare(entries.at(a), entries.at(b));
            return byText != 0 ? byText < 0 : a < b;
        };
        order.reserve(size_t(n));
        auto next = kept.cbegin();
        for (const qsizetype row : sortedRows(collator, entries, misplaced)) {
            const auto place = std::partition_point(
                next, kept.cend(), [&](qsizetype keptRow) { return before(keptRow, row); });
            order.insert(order.end(), next, place);
            order.push_back(row);
            next = place;
        }
        order.insert(order.end(), next, kept.cend());
    }

    Prepared prepared;
    prepared.texts.reserve(n);
    prepared.ids.reserve(n);
    prepared.labels.reserve(n);
    prepared.idsByKeyHash.reserve(n);
    for (qsizetype row = 0; row < n; ++row) {
        const QString &entry = entries.at(order[size_t(row)]);
        const ItemId id = ItemId(row);
        prepared.texts.append(entry);
        prepared.ids.append(id);
        prepared.labels.append(spreadLabel(row));
        prepared.idsByKeyHash[keyHash(KnowledgeEntry::key(entry))].append(id);
    }
    return prepared;
}

TeachingList::Prepared TeachingList::adopt(Prepared prepared)
{
    beginResetModel();
    m_texts.swap(prepared.texts);
    m_ids.swap(prepared.ids);
    m_labels.swap(prepared.labels);
    m_idsByKeyHash.swap(prepared.idsByKeyHash);
    endResetModel();
    return prepared;
}

void TeachingList::setEntries(const QStringList &entries)
{
    adopt(prepare(entries));
}

int TeachingList::insertEntry(const QString &entry)
{
    // The first place whose item sorts after entry. A replaced item may stand out of order;
    // the search then still ends beside some item, and the rest of the list keeps its order.
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (m_collator.compare(entry, m_texts.at(middle)) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    const int row = low;
    const quint64 label = labelForNewRow(row);
    const ItemId id = ItemId(m_labels.size());

    beginInsertRows(QModelIndex(), row, row);
    m_labels.append(label);
    m_texts.insert(row, entry);
    m_ids.insert(row, id);
    addToIndex(keyHash(KnowledgeEntry::key(entry)), id);
    endInsertRows();
    return row;
}

void TeachingList::replaceEntry(int row, const QString &entry)
{
    if (row < 0 || row >= count())
        return;
    const QStringView oldKey = KnowledgeEntry::key(m_texts.at(row));
    const QStringView newKey = KnowledgeEntry::key(entry);
    if (oldKey != newKey) {
        removeFromIndex(keyHash(oldKey), m_ids.at(row));
        addToIndex(keyHash(newKey), m_ids.at(row));
    }
    m_texts[row] = entry;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
}

int TeachingList::findKey(QStringView key) const
{
    const auto found = m_idsByKeyHash.constFind(keyHash(key));
    if (found == m_idsByKeyHash.cend())
        return -1;
    for (const ItemId id : *found) {
        const int row = rowOf(id);
        if (KnowledgeEntry::key(m_texts.at(row)) == key)
            return row;
    }
    return -1;
}

QString TeachingList::entryAt(int row) const
{
    return row >= 0 && row < count() ? m_texts.at(row) : QString();
}

int TeachingList::count() const
{
    return int(m_texts.size());
}

QStringList TeachingList::entries() const
{
    return m_texts;
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
    const QString &text = m_texts.at(index.row());
    if (role == EntryRole)
        return text;
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

void TeachingList::addToIndex(size_t hash, ItemId id)
{
    IdList &ids = m_idsByKeyHash[hash];
    const quint64 label = m_labels.at(id);
    const auto place =
        std::lower_bound(ids.begin(), ids.end(), label, [this](ItemId other, quint64 wanted) {
            return m_labels.at(other) < wanted;
        });
    ids.insert(place, id);
}

void TeachingList::removeFromIndex(size_t hash, ItemId id)
{
    const auto found = m_idsByKeyHash.find(hash);
    IdList &ids = *found;
    ids.erase(std::find(ids.begin(), ids.end(), id));
    if (ids.isEmpty())
        m_idsByKeyHash.erase(found);
}
