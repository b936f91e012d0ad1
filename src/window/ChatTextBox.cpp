#include "window/ChatTextBox.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBoundaryFinder>

namespace {

constexpr qsizetype LongestUnbroken = 200;
constexpr QChar ZeroWidthSpace = QChar(0x200B);

} // namespace

ChatTextBox::ChatTextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    // A big paste switches to wrapping anywhere; an emptied box goes back to words.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (document()->isEmpty())
            setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
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
    if (source->hasText() && source->text().size() > LongestUnbroken * 50)
        setWordWrapMode(QTextOption::WrapAnywhere);
    QPlainTextEdit::insertFromMimeData(source);
}
