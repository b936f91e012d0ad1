// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The teaching working copy of the keyword table: entries kept in the collation order of
// their whole text, shown by the teaching list view, looked up by key on every keystroke.

#include "teaching/KeyCollator.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <vector>

class TeachingList : public QAbstractListModel
{
    Q_OBJECT

public:
    // data() with this role gives the entry as stored, line end included.
    static constexpr int EntryRole = Qt::UserRole;

    explicit TeachingList(QObject *parent = nullptr);

private:
    using ItemId = quint32;
    // Ids of the items with one key hash, in list order; nearly always a single one.
    using IdList = QVarLengthArray<ItemId, 1>;

public:
    // A whole list made ready away from the model: sorting a million entries takes longer
    // than a window may stand still, so it happens on a worker and only the hand-over,
    // adopt(), runs where the model lives.
    struct Prepared
    {
        QList<QString> texts;
        QList<ItemId> ids;
        QList<quint64> labels;
        QHash<size_t, IdList> idsByKeyHash;
    };

    // The items of entries sorted, equal items in their order in entries. Safe on any thread
    // while the model's order is not being changed.
    Prepared prepare(const QStringList &entries) const;
    // Replaces all items with prepared ones; what the list held before is handed back, so that
    // freeing it can happen elsewhere too.
    Prepared adopt(Prepared prepared);
    // Replaces all items, sorted; equal items keep their order in entries.
    void setEntries(const QStringList &entries);
    // Adds entry at its sorted place, after any items equal to it, and returns its row.
    int insertEntry(const QString &entry);
    // Replaces the text of the item at row; it stays at row even if it now sorts elsewhere.
    void replaceEntry(int row, const QString &entry);
    // The first row in list order whose key is exactly key, or -1.
    int findKey(QStringView key) const;
    QString entryAt(int row) const;
    int count() const;
    QStringList entries() const;
    void clear();

    // The text before the first "\" (the whole entry when it has none).
    static QString keyOf(const QString &entry);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // Qt::DisplayRole gives the entry without its line end.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    static size_t keyHash(QStringView key);
    quint64 labelForNewRow(int row);
    void relabel();
    int rowOf(ItemId id) const;
    void addToIndex(size_t hash, ItemId id);
    void removeFromIndex(size_t hash, ItemId id);

    KeyCollator m_collator;
    // The items' texts in list order, and beside them the ids that the key index refers to.
    QList<QString> m_texts;
    QList<ItemId> m_ids;
    // Indexed by item id: a number that grows along the list, so an id's row is found by a
    // binary search and inserting a row renumbers nothing (labels leave gaps; when a gap is
    // used up, all labels are spread out again).
    QList<quint64> m_labels;
    // Items by the hash of their key, so that a million keys need no million strings; a
    // lookup confirms the key of each candidate.
    QHash<size_t, IdList> m_idsByKeyHash;
};
