// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The teaching working copy of the keyword table: entries kept in the collation order of
// their whole text, shown by the teaching list view, looked up by key on every keystroke.

#include "knowledge/KeywordTable.h"
#include "teaching/KeyCollator.h"
#include "teaching/KeyIndex.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <atomic>

class TeachingList : public QAbstractListModel
{
    Q_OBJECT

public:
    // data() with this role gives the entry as stored, line end included.
    static constexpr int EntryRole = Qt::UserRole;

    explicit TeachingList(QObject *parent = nullptr);

private:
    using ItemId = quint32;

    // The texts of the items: the loaded table, shared with the knowledge it came from, and
    // after it the entries taught since, one after another. Ids below the table's size are its
    // entries; the others are taught ones in the order they came.
    struct Store
    {
        KeywordTable table;
        QString taught;
        QList<std::pair<qsizetype, qsizetype>> taughtSpans; // start and length in taught

        QStringView text(ItemId id) const
        {
            if (id < ItemId(table.size()))
                return table.at(id);
            const auto [start, length] = taughtSpans.at(id - ItemId(table.size()));
            return QStringView(taught).sliced(start, length);
        }
        ItemId add(QStringView entry);
    };

public:
    // A whole list made ready away from the model: sorting a million entries takes longer
    // than a window may stand still, so it happens on a worker and only the hand-over,
    // adopt(), runs where the model lives.
    struct Prepared
    {
        Store store;
        QList<ItemId> ids; // in list order
        QList<quint64> labels;
        KeyIndex keys;
    };

    // The entries in list order as they were when it was taken, whatever happens to the list
    // afterwards; taking one copies nothing.
    class Snapshot
    {
    public:
        qsizetype size() const { return m_ids.size(); }
        QStringView at(qsizetype row) const { return m_store.text(m_ids.at(row)); }

    private:
        friend class TeachingList;
        Store m_store;
        QList<ItemId> m_ids;
    };

    // The items of entries sorted by collator, equal items in their order in entries: for any
    // thread, with a collator of its own (ICU collators are not to be shared between threads).
    // Setting stop meanwhile ends it early, with an empty list.
    static Prepared prepare(const KeywordTable &entries, const KeyCollator &collator,
                            const std::atomic_bool *stop = nullptr);
    // A copy of the list's collator, for prepare() elsewhere.
    KeyCollator collator() const { return m_collator; }
    // Replaces all items with prepared ones; what the list held before is handed back, so that
    // freeing it can happen elsewhere too.
    Prepared adopt(Prepared prepared);
    // Replaces all items, sorted; equal items keep their order in entries.
    void setEntries(const KeywordTable &entries);
    void setEntries(const QStringList &entries);
    // The row insertEntry() would give entry.
    int rowFor(const QString &entry) const;
    // Adds entry at its sorted place, after any items equal to it, and returns its row.
    int insertEntry(const QString &entry);
    // Replaces the text of the item at row; it stays at row even if it now sorts elsewhere.
    void replaceEntry(int row, const QString &entry);
    // The first row in list order whose key is exactly key, or -1.
    int findKey(QStringView key) const;
    // The first row in list order holding exactly entry (line ends aside), or -1.
    int findEntry(QStringView entry) const;
    QString entryAt(int row) const;
    int count() const;
    Snapshot snapshot() const;
    // Copies of all entries in list order: for a few, never for a big table.
    QStringList entries() const;
    void clear();

    // The text before the first "\" (the whole entry when it has none).
    static QString keyOf(const QString &entry);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // Qt::DisplayRole gives the entry without its line end.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    static size_t keyHash(QStringView key);
    QStringView textAt(int row) const { return m_store.text(m_ids.at(row)); }
    quint64 labelForNewRow(int row);
    void relabel();
    int rowOf(ItemId id) const;
    // The first row, in list order, among the entries with this key whose text matches.
    template <typename Matches> int firstRowOf(QStringView key, Matches matches) const
    {
        int first = -1;
        m_keys.forEachCandidate(keyHash(key), [&](ItemId id) {
            if (!matches(m_store.text(id)))
                return;
            const int row = rowOf(id);
            if (first < 0 || row < first)
                first = row;
        });
        return first;
    }

    KeyCollator m_collator;
    Store m_store;
    // The items' ids in list order.
    QList<ItemId> m_ids;
    // Indexed by item id: a number that grows along the list, so an id's row is found by a
    // binary search and inserting a row renumbers nothing (labels leave gaps; when a gap is
    // used up, all labels are spread out again).
    QList<quint64> m_labels;
    KeyIndex m_keys;
};
