// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The chat window's controls: built, named, placed, styled and stacked in one place, the way a
// designer-generated form is, so FrmMain itself only holds behaviour.

#include <QList>
#include <QString>

class Backdrop;
class BackgroundTask;
class ChatTextBox;
class Decoration;
class GlyphLabel;
class KeywordList;
class QAbstractItemModel;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;
class TeachPanel;
struct RobotProfile;

struct FrmMainUi
{
    Backdrop *picTalk = nullptr;
    KeywordList *listDate = nullptr;
    TeachPanel *picTeach = nullptr;
    QPushButton *cmdSend = nullptr;
    QPushButton *cmdTeach = nullptr;
    ChatTextBox *txtSend = nullptr;
    ChatTextBox *txtTalk = nullptr;
    QLabel *labRevise = nullptr;
    Decoration *shapeHead = nullptr;
    Decoration *glyphLines = nullptr;
    GlyphLabel *labClose = nullptr;
    GlyphLabel *labMin = nullptr;
    QLabel *imgPortrait = nullptr;
    QLabel *labRemark = nullptr;
    QLabel *labRemarks = nullptr;
    QLabel *labSmartWord = nullptr;
    QLabel *labAuthor = nullptr;
    QLabel *labFrom = nullptr;
    QLabel *labBirth = nullptr;
    QLabel *labSex = nullptr;
    QLabel *labRTip = nullptr;
    QLabel *labRName = nullptr;
    QLabel *labStatus = nullptr;
    QProgressBar *barWork = nullptr;

    // Builds every control on window; the keyword list shows the teaching model.
    void setupUi(QWidget *window, QAbstractItemModel *teachingModel);

    // The size, place and rounded shape start-up gives the window.
    void finishWindow(QWidget *window) const;
    // The robot's name and particulars in the labels beside its portrait.
    void showProfile(const RobotProfile &profile) const;
    // The keyword list over the transcript, or parked right of the window and hidden.
    void showKeywordList() const;
    void hideKeywordList() const;
    // While the teaching panel covers the input box and its buttons, Tab passes them by.
    void coverInputArea(bool covered) const;

    // While the task's work runs, the controls that could start other work are disabled and the
    // status line says what is going on; the progress bar shows once the work is slow. After it
    // they are as they were.
    void followWork(const BackgroundTask *task);

    // The controls that take the keyboard, in tab order.
    QList<QWidget *> focusChain() const;

private:
    // What the controls showed before the work, given back after it.
    struct
    {
        bool teachEnabled = false;
        QString status;
    } beforeWork;

    void buildBackdrop(QWidget *window, QAbstractItemModel *teachingModel);
    void buildProfile();
    void buildGlyphs();
    void buildInputArea();
    void stackAndOrder(QWidget *window) const;
};
