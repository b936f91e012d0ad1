// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/ChatTextBox.h"

#include "window/ParagraphSplitter.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <utility>

namespace {

constexpr qsizetype LongestUnbroken = 200;
constexpr QChar ZeroWidthSpace = QChar(0x200B);
constexpr QChar LineSeparator = QChar(QChar::LineSeparator);

// Appended lines join the last paragraph until it holds about this many characters. Every
// append lays the whole paragraph out again, so it must stay short; every paragraph costs the
// document a few hundred bytes whether or not it is on screen, so it must not be one line.
constexpr qsizetype ParagraphChars = 600;

// A paragraph's user state once it is queued to have its layout released.
constexpr int QueuedForRelease = 1;

// The input box's splitter, or none for a box that keeps its paragraphs whole.
const ParagraphSplitter *splitterOf(const QObject *object)
{
    const auto *box = qobject_cast<const ChatTextBox *>(object);
    return box ? box->document()->findChild<ParagraphSplitter *>(QString(),
                                                                 Qt::FindDirectChildrenOnly)
               : nullptr;
}

// Assistive technology counts in the text as written: a document position as it reads there.
int messageOffset(const QObject *box, int position)
{
    const ParagraphSplitter *splitter = splitterOf(box);
    return splitter ? splitter->messageOffset(position) : position;
}

// The selected text as toPlainText() reads it, without the breaks that split long paragraphs.
QString plainText(const QTextCursor &selection)
{
    QString text = ChatTextBox::readableText(ParagraphSplitter::selectedText(selection));
    text.replace(QChar(QChar::Nbsp), u' ');
    return text;
}

// What a key does beside the cursor: which way it moves over or deletes a character or a word
// (0: neither), whether it extends the selection, whether its way is the screen's rather than
// the text's (right to left in a right-to-left paragraph).
struct KeyStep
{
    int direction = 0;
    bool selects = false;
    bool onScreen = false;
};

KeyStep keyStep(const QKeyEvent *event)
{
    struct Binding
    {
        QKeySequence::StandardKey key;
        KeyStep step;
    };
    static constexpr Binding Bindings[] = {
        {QKeySequence::Backspace, {-1, false, false}},
        {QKeySequence::Delete, {1, false, false}},
        {QKeySequence::DeleteStartOfWord, {-1, false, false}},
        {QKeySequence::DeleteEndOfWord, {1, false, false}},
        {QKeySequence::MoveToPreviousChar, {-1, false, true}},
        {QKeySequence::MoveToNextChar, {1, false, true}},
        {QKeySequence::MoveToPreviousWord, {-1, false, true}},
        {QKeySequence::MoveToNextWord, {1, false, true}},
        {QKeySequence::SelectPreviousChar, {-1, true, true}},
        {QKeySequence::SelectNextChar, {1, true, true}},
        {QKeySequence::SelectPreviousWord, {-1, true, true}},
        {QKeySequence::SelectNextWord, {1, true, true}},
    };
    // As the text control reads Backspace: with or without Shift.
    if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier))
        return {-1, false, false};
    for (const Binding &binding : Bindings) {
        if (event->matches(binding.key))
            return binding.step;
    }
    return {};
}

// What an assistive technology sees of a box: Qt's own reading of a plain text box passes the
// line separators inside a paragraph through raw, where toPlainText() gives "\n", and would
// count the input box's soft breaks as characters. Offsets here are those of the text as written.
class ChatTextBoxAccessible : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleEditableTextInterface
{
public:
    explicit ChatTextBoxAccessible(ChatTextBox *box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectableText = true;
        state.multiLine = true;
        if (box()->isReadOnly())
            state.readOnly = true;
        else
            state.editable = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->message() : QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t != QAccessible::Value)
            QAccessibleWidget::setText(t, text);
        else if (!box()->isReadOnly())
            box()->setPlainText(text);
    }

    void selection(int index, int *startOffset, int *endOffset) const override
    {
        const QTextCursor cursor = box()->textCursor();
        const bool any = index == 0 && cursor.hasSelection();
        *startOffset = any ? messageOffset(box(), cursor.selectionStart()) : 0;
        *endOffset = any ? messageOffset(box(), cursor.selectionEnd()) : 0;
    }

    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }

    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }

    void removeSelection(int index) override
    {
        if (index != 0)
            return;
        QTextCursor cursor = box()->textCursor();
        cursor.clearSelection();
        box()->setTextCursor(cursor);
    }

    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index == 0)
            box()->setTextCursor(span(startOffset, endOffset));
    }

    int cursorPosition() const override
    {
        return messageOffset(box(), box()->textCursor().position());
    }

    void setCursorPosition(int position) override
    {
        box()->setTextCursor(span(position, position));
    }

    QString text(int startOffset, int endOffset) const override
    {
        return ChatTextBox::readableText(
            ParagraphSplitter::selectedText(span(startOffset, endOffset)));
    }

    int characterCount() const override
    {
        return messageOffset(box(), box()->document()->characterCount() - 1);
    }

    QRect characterRect(int offset) const override
    {
        const QTextCursor at = span(offset, offset);
        QRect rect = box()->cursorRect(at);
        const QChar shown = box()->document()->characterAt(at.position());
        rect.setWidth(box()->fontMetrics().horizontalAdvance(shown));
        return QRect(box()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint inside = box()->viewport()->mapFromGlobal(point);
        if (!box()->viewport()->rect().contains(inside))
            return -1;
        return messageOffset(box(), box()->cursorForPosition(inside).position());
    }

    void scrollToSubstring(int startIndex, int endIndex) override
    {
        box()->setTextCursor(span(startIndex, endIndex));
        box()->ensureCursorVisible();
    }

    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        // One plain font throughout: no run of text differs from the rest.
        Q_UNUSED(offset);
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    void deleteText(int startOffset, int endOffset) override
    {
        replaceText(startOffset, endOffset, QString());
    }

    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }

    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        if (box()->isReadOnly())
            return;
        QTextCursor cursor = span(startOffset, endOffset);
        cursor.insertText(text);
    }

private:
    ChatTextBox *box() const { return static_cast<ChatTextBox *>(widget()); }

    QTextCursor span(int startOffset, int endOffset) const
    {
        QTextCursor cursor(box()->document());
        cursor.setPosition(documentPosition(startOffset));
        cursor.setPosition(documentPosition(endOffset), QTextCursor::KeepAnchor);
        return cursor;
    }

    // The document's position for an offset in the text as written; a negative one is the end.
    int documentPosition(int offset) const
    {
        const int count = characterCount();
        offset = offset < 0 ? count : std::min(offset, count);
        const ParagraphSplitter *splitter = splitterOf(box());
        return splitter ? splitter->documentPosition(offset) : offset;
    }
};

QAccessibleInterface *accessibleChatTextBox(const QString &className, QObject *object)
{
    if (className == QLatin1StringView("ChatTextBox") && object && object->isWidgetType())
        return new ChatTextBoxAccessible(static_cast<ChatTextBox *>(object));
    return nullptr;
}

QAccessible::UpdateHandler nextUpdateHandler = nullptr;

void passOn(QAccessibleEvent *event)
{
    if (nextUpdateHandler) {
        nextUpdateHandler(event);
        return;
    }
    // No handler before this one: the platform's own reporting, reached with none installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(ChatTextBox::reportAccessibilityUpdate);
}

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
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleChatTextBox);
        nextUpdateHandler = QAccessible::installUpdateHandler(reportAccessibilityUpdate);
        return true;
    }();
    Q_UNUSED(accessible);
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

void ChatTextBox::splitLongParagraphs()
{
    if (!m_splitter)
        m_splitter = new ParagraphSplitter(document());
}

void ChatTextBox::holdOneMessage()
{
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        // The largest arrival since the last look: the box's own soft breaks come in small.
        if (added <= m_lastArrival.second)
            return;
        m_lastArrival = {m_splitter ? m_splitter->messageOffset(position) : position, added};
        // Seen once the edit is over: the document cannot be changed while it reports a change.
        if (!m_overLimitChecked) {
            m_overLimitChecked = true;
            QMetaObject::invokeMethod(this, &ChatTextBox::takeBackOverLimit, Qt::QueuedConnection);
        }
    });
}

qsizetype ChatTextBox::messageLength() const
{
    // With the soft breaks first, which is at least the message's length and costs nothing.
    const int end = document()->characterCount() - 1;
    if (end <= LongestMessage || !m_splitter)
        return end;
    return m_splitter->messageOffset(end);
}

void ChatTextBox::takeBackOverLimit()
{
    m_overLimitChecked = false;
    const auto [at, added] = std::exchange(m_lastArrival, {-1, 0});
    if (messageLength() <= LongestMessage)
        return;
    // The text that overfilled the box goes again, whole; should the box still be too full
    // (several arrivals at once), what is beyond the limit goes too.
    QString text = message();
    if (at >= 0 && at + added <= text.size())
        text.remove(at, added);
    text.truncate(LongestMessage);
    setPlainText(text);
    moveCursor(QTextCursor::End);
    emit refused(MessageIntake::tooLongNotice(added, Arrival::Typed, text.size()));
}

QString ChatTextBox::message() const
{
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    return plainText(all);
}

void ChatTextBox::appendAtEnd(const QString &text)
{
    // Lines are joined by line separators inside the last paragraph: they read the same (as
    // "\n" in toPlainText() and to assistive technology) at a fraction of a paragraph's cost.
    QString lines = withBreakChances(text);
    lines.replace(QStringLiteral("\r\n"), QString(LineSeparator));
    lines.replace(u'\r', LineSeparator);
    lines.replace(u'\n', LineSeparator);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // One edit: no layout for the cursor's sake in between.
    cursor.beginEditBlock();
    QTextBlock filled = cursor.block();
    if (lines.endsWith(LineSeparator) && filled.length() + lines.size() > ParagraphChars) {
        lines.chop(1);
        cursor.insertText(lines);
        filled = cursor.block();
        cursor.insertBlock();
    } else {
        cursor.insertText(lines);
        filled = cursor.block();
    }
    cursor.endEditBlock();
    // Each append lays the paragraph out, on screen or not.
    if (filled.userState() != QueuedForRelease) {
        filled.setUserState(QueuedForRelease);
        m_laidOut.append(QTextCursor(filled));
    }
    moveCursor(QTextCursor::End);
    // To the very end: making the cursor visible would leave the closing empty line out.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    if (!m_laidOut.isEmpty() && !isUndoRedoEnabled()) {
        releaseLayoutsAboveView();
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
}

void ChatTextBox::releaseLayoutsAboveView()
{
    // A paragraph once laid out keeps its lines and glyphs for as long as it exists, and the
    // document offers no way to drop them: a conversation of 100,000 messages would hold a few
    // hundred megabytes of layout for text nobody looks at. A paragraph written anew has none
    // until it is shown again, so the paragraphs above the view are written anew: the same
    // characters, with its lines laid out again on demand if the user scrolls back. The first
    // paragraph stays as it is, as it has none before it to hand its place to.
    const int firstVisible = firstVisibleBlock().blockNumber();
    QList<QTextCursor> kept;
    for (const QTextCursor &at : std::as_const(m_laidOut)) {
        const QTextBlock block = at.block();
        if (block.userState() != QueuedForRelease)
            continue; // written anew already
        if (block.blockNumber() >= firstVisible || block.blockNumber() == 0) {
            kept.append(at);
            continue;
        }
        const QString content = block.text();
        QTextCursor rewrite(document());
        rewrite.beginEditBlock();
        // Removing the paragraph with the break before it ends its record; the first half of a
        // split keeps the old record, so the paragraph comes back as the second half.
        rewrite.setPosition(block.position() - 1);
        rewrite.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        rewrite.removeSelectedText();
        rewrite.insertBlock();
        rewrite.insertText(content);
        rewrite.endEditBlock();
    }
    m_laidOut = std::move(kept);
}

// Qt's text control reports the input box's edits and caret in the document's positions, soft
// breaks and all, and reports the breaks the splitter adds or takes away as edits of their own:
// assistive technology hears of the text as written instead, and nothing of the breaks.
void ChatTextBox::reportAccessibilityUpdate(QAccessibleEvent *event)
{
    const ParagraphSplitter *splitter = splitterOf(event->object());
    if (!splitter) {
        passOn(event);
        return;
    }
    const auto *box = static_cast<const ChatTextBox *>(event->object());
    switch (event->type()) {
    case QAccessible::TextCaretMoved: {
        auto *moved = static_cast<QAccessibleTextCursorEvent *>(event);
        moved->setCursorPosition(splitter->messageOffset(moved->cursorPosition()));
        passOn(event);
        return;
    }
    case QAccessible::TextSelectionChanged: {
        auto *selected = static_cast<QAccessibleTextSelectionEvent *>(event);
        selected->setSelection(splitter->messageOffset(selected->selectionStart()),
                               splitter->messageOffset(selected->selectionEnd()));
        passOn(event);
        return;
    }
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
        break;
    default:
        passOn(event);
        return;
    }
    if (splitter->isTidying())
        return;
    int position = 0;
    int added = 0;
    int removed = 0;
    if (event->type() == QAccessible::TextInserted) {
        const auto *inserted = static_cast<QAccessibleTextInsertEvent *>(event);
        position = inserted->changePosition();
        added = int(inserted->textInserted().size());
    } else if (event->type() == QAccessible::TextRemoved) {
        const auto *gone = static_cast<QAccessibleTextRemoveEvent *>(event);
        position = gone->changePosition();
        removed = int(gone->textRemoved().size());
    } else {
        const auto *updated = static_cast<QAccessibleTextUpdateEvent *>(event);
        position = updated->changePosition();
        added = int(updated->textInserted().size());
        removed = int(updated->textRemoved().size());
    }
    QTextCursor change(box->document());
    change.setPosition(position);
    change.setPosition(position + added, QTextCursor::KeepAnchor);
    const QString written = ChatTextBox::readableText(ParagraphSplitter::selectedText(change));
    // The soft breaks among the removed characters: those the document held before, less
    // those it holds now that did not come with the change (an undone deletion brings its
    // breaks back).
    const int end = box->document()->characterCount() - 1;
    const int breaksNow = end - splitter->messageOffset(end);
    const int breaksAdded = added - int(written.size());
    const int breaksRemoved = splitter->softBreaksBeforeChange() - breaksNow + breaksAdded;
    const QString removedText(removed - breaksRemoved, u' ');
    const int at = splitter->messageOffset(position);
    if (removedText.isEmpty() && written.isEmpty())
        return;
    if (removedText.isEmpty()) {
        QAccessibleTextInsertEvent report(event->object(), at, written);
        passOn(&report);
    } else if (written.isEmpty()) {
        QAccessibleTextRemoveEvent report(event->object(), at, removedText);
        passOn(&report);
    } else {
        QAccessibleTextUpdateEvent report(event->object(), at, removedText, written);
        passOn(&report);
    }
}

QString ChatTextBox::readableText(QString raw)
{
    raw.replace(QChar(QChar::ParagraphSeparator), u'\n');
    raw.replace(LineSeparator, u'\n');
    return raw;
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

QMimeData *ChatTextBox::createMimeDataFromSelection() const
{
    if (!m_splitter)
        return QPlainTextEdit::createMimeDataFromSelection();
    // Qt's own copy would turn soft breaks into line breaks.
    auto *data = new QMimeData;
    data->setText(plainText(textCursor()));
    return data;
}

void ChatTextBox::insertFromMimeData(const QMimeData *source)
{
    const QString text = source->hasText() ? source->text() : QString();
    if (refuses(text.size(), m_dropping ? Arrival::Dropped : Arrival::Pasted)) {
        m_refusedDrop = m_dropping;
        return;
    }
    // Decided before the paste lands, so that not even its first layout is at word boundaries:
    // the pasted text joins the run the cursor is in.
    if (!text.isEmpty() && wordWrapMode() != QTextOption::WrapAnywhere) {
        const QTextCursor cursor = textCursor();
        const QString line = cursor.block().text();
        const qsizetype at = cursor.positionInBlock();
        if (longestUnbrokenRun(line.left(at) + text + line.mid(at)) > LongestUnbroken)
            setWordWrapMode(QTextOption::WrapAnywhere);
    }
    QPlainTextEdit::insertFromMimeData(source);
}

void ChatTextBox::dropEvent(QDropEvent *event)
{
    m_dropping = true;
    QPlainTextEdit::dropEvent(event);
    m_dropping = false;
    // Taken, a refused drop would tell a source that moves its text to delete it there.
    if (std::exchange(m_refusedDrop, false)) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
    }
}

void ChatTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    // An input method may commit any amount of text at once (some offer the clipboard's); what
    // it is composing goes on as before.
    if (!event->commitString().isEmpty() && refuses(event->commitString().size(), Arrival::Typed)) {
        QInputMethodEvent composing(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&composing);
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool ChatTextBox::refuses(qsizetype incoming, Arrival arrival)
{
    const QTextCursor cursor = textCursor();
    const int end = document()->characterCount() - 1;
    // Counted with the soft breaks first, which is at least the message's length: the exact
    // count walks every block, and only a change near the limit needs it.
    qsizetype kept = end - (cursor.selectionEnd() - cursor.selectionStart());
    if (kept + incoming <= LongestMessage)
        return false;
    if (m_splitter) {
        kept =
            m_splitter->messageOffset(end) - (m_splitter->messageOffset(cursor.selectionEnd()) -
                                              m_splitter->messageOffset(cursor.selectionStart()));
    }
    if (kept + incoming <= LongestMessage)
        return false;
    const QString notice = MessageIntake::tooLongNotice(incoming, arrival, kept);
    emit refused(notice);
    return true;
}

void ChatTextBox::keyPressEvent(QKeyEvent *event)
{
    if (m_splitter)
        stepOverSoftBreak(event);
    QPlainTextEdit::keyPressEvent(event);
}

void ChatTextBox::stepOverSoftBreak(const QKeyEvent *event)
{
    // A soft break is no character, yet the cursor has a place on either side of it: a key
    // that moves over or deletes what lies beside the cursor first passes the break, so that
    // one press does there what it does anywhere else.
    const KeyStep step = keyStep(event);
    QTextCursor cursor = textCursor();
    if (step.direction == 0 || (cursor.hasSelection() && !step.selects) ||
        (step.onScreen && cursor.block().textDirection() == Qt::RightToLeft))
        return;
    const bool besideSoftBreak =
        step.direction < 0
            ? cursor.atBlockStart() && ParagraphSplitter::continuesParagraph(cursor.block())
            : cursor.atBlockEnd() && ParagraphSplitter::continuesParagraph(cursor.block().next());
    if (!besideSoftBreak)
        return;
    cursor.setPosition(cursor.position() + step.direction,
                       step.selects ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    setTextCursor(cursor);
}

void ChatTextBox::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    // Layouts are released only where rewriting a paragraph cannot enter an undo history; a
    // box with undo (the input box, its paragraphs split into many blocks) would only gather
    // cursors that every edit has to move.
    if (isUndoRedoEnabled())
        return;
    // What was drawn stays laid out: queue it to be released once it is out of view.
    const QPointF offset = contentOffset();
    const qreal bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > bottom)
            break;
        if (block.userState() != QueuedForRelease) {
            block.setUserState(QueuedForRelease);
            m_laidOut.append(QTextCursor(block));
        }
    }
}
