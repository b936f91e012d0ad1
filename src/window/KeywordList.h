// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The teaching list of keyword entries. Moving the focus into it picks nothing, so what the
// user typed in the teaching boxes stays; a click, Space, Enter or a key that moves the current
// row picks the entry.

#include <QListView>

class KeywordList : public QListView
{
    Q_OBJECT

public:
    explicit KeywordList(QWidget *parent = nullptr);

signals:
    void picked(const QModelIndex &index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
