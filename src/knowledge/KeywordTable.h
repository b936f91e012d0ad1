// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The keyword table as it was read: the decoded text once, and where each entry starts in it.
// A million entries cost their text and four bytes each, not a string apiece. Copies share the
// text, so handing the table to a worker or to the teaching list copies nothing.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <iterator>

class KeywordTable
{
public:
    KeywordTable() = default;
    // The entries of text from the given starts on: each runs to the separator before the
    // next start, and the last one to end. Starts must grow; text may hold more than the table.
    KeywordTable(QString text, QList<quint32> starts, qsizetype end);
    // A table of these entries, each "key\reply\...\" with its line end (tests, generated tables).
    static KeywordTable fromEntries(const QStringList &entries);

    qsizetype size() const { return m_starts.size(); }
    bool isEmpty() const { return m_starts.isEmpty(); }
    // Entry i as stored: "key\reply\...\" and the line end it had.
    QStringView at(qsizetype i) const
    {
        const qsizetype end = i + 1 < size() ? qsizetype(m_starts.at(i + 1)) - 1 : m_end;
        return QStringView(m_text).sliced(m_starts.at(i), end - m_starts.at(i));
    }
    QStringView last() const { return at(size() - 1); }
    // Copies of all entries: for a few, never for a big table.
    QStringList toList() const;

    // True when both are copies of one table, not merely equal ones.
    bool sharesWith(const KeywordTable &other) const
    {
        return m_text.constData() == other.m_text.constData() &&
               m_starts.constData() == other.m_starts.constData() && m_end == other.m_end;
    }

    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QStringView;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QStringView;

        const_iterator() = default;
        const_iterator(const KeywordTable *table, qsizetype i) : m_table(table), m_i(i) {}
        QStringView operator*() const { return m_table->at(m_i); }
        const_iterator &operator++()
        {
            ++m_i;
            return *this;
        }
        const_iterator operator++(int)
        {
            const const_iterator before = *this;
            ++m_i;
            return before;
        }
        friend bool operator==(const const_iterator &a, const const_iterator &b)
        {
            return a.m_i == b.m_i;
        }

    private:
        const KeywordTable *m_table = nullptr;
        qsizetype m_i = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    QString m_text;
    QList<quint32> m_starts;
    qsizetype m_end = 0;
};
