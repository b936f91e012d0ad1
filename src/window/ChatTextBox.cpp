#include "window/ChatTextBox.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace {

constexpr qsizetype LongestUnbroken = 200;
constexpr QChar ZeroWidthSpace = QChar(0x200B);

// The most characters text holds between two chances to break a line.
qsizetype longestUnbrokenRun(const QString &text)
{
    if (text.size() <= LongestUnbroken)
        return text.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    qsizetype longest = 0;
    qsizetype last = 0;
    for (qsizetype next = finder.toNextBoundary(); next != -1; next = finder.toNextBoundary()) {
        longest = std::max(longest, next - last);
        last = next;
    }
    return std::max(longest, text.size() - last);
}

} // namespace

ChatTextBox::ChatTextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    // Words wrap until some line holds a run too long to break anywhere but inside it, however
    // it got there (pastes, typing, one character at a time); from then on the box wraps
    // anywhere, which lays out in linear time. An emptied box goes back to words.
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        if (document()->isEmpty()) {
            setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            return;
        }
        if (wordWrapMode() == QTextOption::WrapAnywhere)
            return;
        const QTextBlock last = document()->findBlock(position + added);
        for (QTextBlock block = document()->findBlock(position); block.isValid();
             block = block.next()) {
            if (longestUnbrokenRun(block.text()) > LongestUnbroken) {
                setWordWrapMode(QTextOption::WrapAnywhere);
                return;
            }
            if (block == last)
                break;
        }
    });
}

void ChatTextBox::appendAtEnd(const QString &text)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(withBreakChances(text));
    moveCursor(QTextCursor::End);
    // To the very end: making the cursor visible would leave the closing empty line out.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

QString ChatTextBox::withBreakChances(const QString &text)
{
    if (text.size() <= LongestUnbroken)
        return text;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    QString out;
    out.reserve(text.size() + text.size() / LongestUnbroken);
    qsizetype copied = 0;
    qsizetype lastBreak = 0;
    for (qsizetype next = finder.toNextBoundary(); next != -1; next = finder.toNextBoundary()) {
        for (qsizetype at = lastBreak + LongestUnbroken; at < next; at += LongestUnbroken) {
            if (text.at(at - 1).isHighSurrogate())
                ++at;
            out += QStringView(text).mid(copied, at - copied);
            out += ZeroWidthSpace;
            copied = at;
        }
        lastBreak = next;
    }
    out += QStringView(text).mid(copied);
    return out;
}

void ChatTextBox::insertFromMimeData(const QMimeData *source)
{
    // Decided before the paste lands, so that not even its first layout is at word boundaries:
    // the pasted text joins the run the cursor is in.
    if (source->hasText() && wordWrapMode() != QTextOption::WrapAnywhere) {
        const QTextCursor cursor = textCursor();
        const QString line = cursor.block().text();
        const qsizetype at = cursor.positionInBlock();
        if (longestUnbrokenRun(line.left(at) + source->text() + line.mid(at)) > LongestUnbroken)
            setWordWrapMode(QTextOption::WrapAnywhere);
    }
    QPlainTextEdit::insertFromMimeData(source);
}
