// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/KeywordList.h"

#include <QKeyEvent>

KeywordList::KeywordList(QWidget *parent) : QListView(parent)
{
    connect(this, &QListView::clicked, this, &KeywordList::picked);
}

void KeywordList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The row made current by the focus arriving is picked only when the user says so.
        if (currentIndex().isValid()) {
            setCurrentIndex(currentIndex());
            emit picked(currentIndex());
        }
        event->accept();
        return;
    default:
        break;
    }
    const QPersistentModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    if (currentIndex().isValid() && currentIndex() != before)
        emit picked(currentIndex());
}
