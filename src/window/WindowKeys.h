// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The window's own keys, watched on every control of the focus chain: Enter clicks the focused
// button, or sends from anywhere else (the keyword list keeps it, to pick an entry); Ctrl+Enter
// starts a new line in the input box. An access key whose button is unavailable does nothing.

#include <QObject>

struct FrmMainUi;

class WindowKeys : public QObject
{
    Q_OBJECT

public:
    WindowKeys(const FrmMainUi &ui, QObject *parent);

signals:
    // A key was pressed in the input box.
    void typing();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const FrmMainUi &m_ui;
};
