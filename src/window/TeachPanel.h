// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The teaching panel: the keyword and replies boxes, the hint line and the three actions. It
// reports what the user asks for; the window decides what a commit or leaving means.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class TeachPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TeachPanel(QWidget *parent = nullptr);

    // Over the input area and usable, or parked below the window where nothing in it can be
    // reached, not even by its access keys.
    void setActive(bool active);

    QString keyword() const;
    QString replies() const;
    void setKeyword(const QString &text);
    void setReplies(const QString &text);
    void clearBoxes();
    // Shows a hint in place of the usage line; an empty hint brings the usage line back, as
    // does the next change to the keyword.
    void showHint(const QString &hint);
    QString hint() const { return m_hint; }
    // The three actions usable or not, while the window is busy with long work.
    void setActionsEnabled(bool enabled);
    void focusKeyword();
    void focusReplies();

    // The controls in tab order, for the window's keyboard rules.
    QList<QWidget *> focusChain() const;
    // Bottom-up order within the panel.
    QList<QWidget *> stackingOrder() const;

signals:
    void keywordEdited();
    void commitRequested();
    void leaveRequested();
    void showListRequested();

private:
    QLabel *m_labTip1 = nullptr;
    QLabel *m_labTip2 = nullptr;
    QLabel *m_labTip = nullptr;
    QLineEdit *m_keywordBox = nullptr; // TxtTeach1
    QLineEdit *m_repliesBox = nullptr; // TxtTeach2
    QPushButton *m_commitButton = nullptr;
    QPushButton *m_leaveButton = nullptr;
    QPushButton *m_showListButton = nullptr;
    QString m_usage;
    QString m_hint;
};
