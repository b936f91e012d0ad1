// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The transcript and the input box: plain multi-line text boxes that stay responsive when a
// message is one very long unbroken word (laying that out at word boundaries is quadratic), and
// whose memory stays small however long the conversation grows.

#include "conversation/MessageIntake.h"

#include <QList>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <utility>

class ParagraphSplitter;
class QAccessibleEvent;

class ChatTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    // The most characters one message may hold. Pasting and sending a message take time in step
    // with its length, and the window waits meanwhile: half a million characters take about a
    // third of a second, a million close to one, fifty million took twenty and three gigabytes.
    static constexpr qsizetype LongestMessage = MessageIntake::LongestMessage;

    explicit ChatTextBox(QWidget *parent = nullptr);

    // From now on holds long paragraphs as several blocks, so that typing and pasting into one
    // lays out a block's worth of text, not the paragraph's. For the input box; the transcript
    // only ever appends, and keeps its appends short its own way.
    void splitLongParagraphs();
    // From now on holds at most LongestMessage characters, however the text arrives. Typing,
    // pasting, dropping and input methods are refused before the text comes in; text that
    // reaches the document another way (assistive technology edits it directly) is taken back.
    void holdOneMessage();

    // The text as written: toPlainText() without the breaks that split long paragraphs.
    QString message() const;

    // Appends text at the end, with invisible break chances inside words too long to wrap, and
    // scrolls to it. Its lines join the last paragraph until that paragraph is long enough.
    void appendAtEnd(const QString &text);

    // text with a zero-width space after every 200 characters that offer no line break.
    static QString withBreakChances(const QString &text);

    // The text an assistive technology reads: line separators inside a paragraph read as "\n",
    // as they do in toPlainText().
    static QString readableText(QString raw);

    // Hands event on to assistive technology, an input box's edits and caret in offsets of the
    // text as written and none of its soft breaks. Installed as Qt's update handler with the
    // first box; Qt calls it only while assistive technology listens.
    static void reportAccessibilityUpdate(QAccessibleEvent *event);

signals:
    // Text was kept out of the box, whole, because the message would have grown longer than
    // LongestMessage; notice tells the user so in words.
    void refused(const QString &notice);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    using Arrival = MessageIntake::Arrival;
    bool refuses(qsizetype incoming, Arrival arrival);
    qsizetype messageLength() const;
    void takeBackOverLimit();
    void releaseLayoutsAboveView();
    void stepOverSoftBreak(const QKeyEvent *event);

    ParagraphSplitter *m_splitter = nullptr;
    bool m_dropping = false;
    bool m_refusedDrop = false;
    bool m_overLimitChecked = false;
    // The largest text that came in since the box last looked: where in the message, how long.
    std::pair<qsizetype, qsizetype> m_lastArrival = {-1, 0};

    // The start of every paragraph that may hold a laid-out copy of its lines.
    QList<QTextCursor> m_laidOut;
};
