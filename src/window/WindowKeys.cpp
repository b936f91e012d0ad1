// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/WindowKeys.h"

#include "window/ChatTextBox.h"
#include "window/FrmMainUi.h"
#include "window/KeywordList.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

WindowKeys::WindowKeys(const FrmMainUi &ui, QObject *parent) : QObject(parent), m_ui(ui)
{
    for (QWidget *control : m_ui.focusChain())
        control->installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // An access key reaches a text box only when its button is unavailable (disabled, or the
    // parked teaching panel): it does nothing, rather than typing its letter.
    if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier) &&
        !key->text().isEmpty() &&
        (qobject_cast<QPlainTextEdit *>(watched) || qobject_cast<QLineEdit *>(watched)))
        return true;
    if (watched == m_ui.txtSend)
        emit typing();
    const bool enter =
        watched != m_ui.listDate && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
    if (!enter)
        return false;
    if (key->modifiers() & Qt::ControlModifier) {
        if (watched != m_ui.txtSend)
            return false;
        m_ui.txtSend->insertPlainText(QStringLiteral("\n"));
        return true;
    }
    if (auto *button = qobject_cast<QPushButton *>(watched))
        button->click();
    else
        m_ui.cmdSend->click();
    return true;
}
