#pragma once
// The transcript and the input box: plain multi-line text boxes that stay responsive when a
// message is one very long unbroken word (laying that out at word boundaries is quadratic).

#include <QPlainTextEdit>

class ChatTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ChatTextBox(QWidget *parent = nullptr);

    // Appends text at the end, with invisible break chances inside words too long to wrap, and
    // scrolls to it.
    void appendAtEnd(const QString &text);

    // text with a zero-width space after every 200 characters that offer no line break.
    static QString withBreakChances(const QString &text);

protected:
    void insertFromMimeData(const QMimeData *source) override;
};
