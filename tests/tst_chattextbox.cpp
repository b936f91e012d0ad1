// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The transcript box on its own: a long conversation keeps every line and reads the same to
// the eye, to toPlainText() and to assistive technology, while paragraphs above the view give
// their layout back and get it again when scrolled to. The input box on its own: long
// paragraphs split for layout's sake read back, copy, send and reach assistive technology as
// they were written.

#include "window/ChatTextBox.h"
#include "window/ParagraphSplitter.h"

#include <QAccessible>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// A message as the window appends it: a header line, the lines said, an empty line.
QString message(int i, const QString &body)
{
    return u"用户 (12:00:%1)\n"_s.arg(i % 60, 2, 10, QChar(u'0')) + body + u"\n\n"_s;
}

// A box on screen, small enough that most of a long conversation is out of view.
std::unique_ptr<ChatTextBox> shownBox()
{
    auto box = std::make_unique<ChatTextBox>();
    box->setUndoRedoEnabled(false);
    box->resize(300, 120);
    box->show();
    return box;
}

QString accessibleText(ChatTextBox &box)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&box);
    return face && face->textInterface() ? face->textInterface()->text(0, -1) : u"(none)"_s;
}

// The paragraph at the top of the view.
QTextBlock topBlock(const ChatTextBox &box)
{
    return box.cursorForPosition(QPoint(0, 0)).block();
}

// The input box, and beside it the text it should hold: each step is done to both.
struct Writer
{
    ChatTextBox &box;
    QString text = {};
    qsizetype at = 0;
    qsizetype anchor = 0;

    void write(const QString &with)
    {
        const qsizetype from = std::min(at, anchor);
        text.replace(from, std::abs(at - anchor), with);
        at = anchor = from + with.size();
    }
    void paste(const QString &pasted)
    {
        QGuiApplication::clipboard()->setText(pasted);
        box.paste();
        write(pasted);
    }
    // Return, Left (with Shift or not), Backspace or Delete; a surrogate pair is one character.
    void press(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = {})
    {
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(&box, key, modifiers);
            if (key == Qt::Key_Return) {
                write(u"\n"_s);
                continue;
            }
            const int way = key == Qt::Key_Delete ? 1 : -1;
            const bool moves = key == Qt::Key_Left;
            if (moves || at == anchor)
                at += way * (text.at(way < 0 ? at - 1 : at).isSurrogate() ? 2 : 1);
            if (!moves)
                write({});
            else if (!(modifiers & Qt::ShiftModifier))
                anchor = at;
        }
    }
    // Selects the whole of the index-th block, all of whose breaks before are soft.
    void selectBlock(int index)
    {
        QTextCursor cursor(box.document()->findBlockByNumber(index));
        anchor = cursor.position() - index;
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
        at = anchor + cursor.selectedText().size();
    }
};

using Script = std::function<void(Writer &)>;

// The text a screen reader holds for one box when it follows the edits reported to it, as
// assistive technology does between full readings, and the caret it was last told of.
struct Follower
{
    const QObject *box = nullptr;
    QString text;
    int caret = -1;
};
Follower follower;

// Reports box's edits and caret moves as Qt's text control does when a platform's assistive
// technology is listening (never offscreen, where Qt drops every report before any handler):
// in the document's positions, with the characters inserted as the document holds them.
// Connected before the box splits paragraphs, as the control is.
void reportLikeQtTextControl(ChatTextBox &box)
{
    QObject::connect(box.document(), &QTextDocument::contentsChange, &box,
                     [&box](int from, int removed, int added) {
                         QTextCursor inserted(box.document());
                         inserted.setPosition(from);
                         // The document counts its closing paragraph break into a first edit.
                         inserted.setPosition(
                             std::min(box.document()->characterCount() - 1, from + added),
                             QTextCursor::KeepAnchor);
                         const QString text = inserted.selectedText();
                         const QString gone(removed, u' ');
                         if (removed == 0) {
                             QAccessibleTextInsertEvent event(&box, from, text);
                             ChatTextBox::reportAccessibilityUpdate(&event);
                         } else if (added == 0) {
                             QAccessibleTextRemoveEvent event(&box, from, gone);
                             ChatTextBox::reportAccessibilityUpdate(&event);
                         } else {
                             QAccessibleTextUpdateEvent event(&box, from, gone, text);
                             ChatTextBox::reportAccessibilityUpdate(&event);
                         }
                     });
    QObject::connect(&box, &QPlainTextEdit::cursorPositionChanged, &box, [&box] {
        QAccessibleTextCursorEvent event(&box, box.textCursor().position());
        ChatTextBox::reportAccessibilityUpdate(&event);
    });
}

void follow(QAccessibleEvent *event)
{
    if (event->object() != follower.box)
        return;
    const auto *change = static_cast<QAccessibleTextCursorEvent *>(event);
    switch (event->type()) {
    case QAccessible::TextInserted: {
        const auto *inserted = static_cast<QAccessibleTextInsertEvent *>(event);
        follower.text.insert(inserted->changePosition(), inserted->textInserted());
        break;
    }
    case QAccessible::TextRemoved: {
        const auto *removed = static_cast<QAccessibleTextRemoveEvent *>(event);
        follower.text.remove(removed->changePosition(), removed->textRemoved().size());
        break;
    }
    case QAccessible::TextUpdated: {
        const auto *updated = static_cast<QAccessibleTextUpdateEvent *>(event);
        follower.text.replace(updated->changePosition(), updated->textRemoved().size(),
                              updated->textInserted());
        break;
    }
    case QAccessible::TextCaretMoved:
        follower.caret = change->cursorPosition();
        break;
    default:
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Script)

class TestChatTextBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyLineKept_data();
    void everyLineKept();
    void paragraphsOutOfViewReleaseTheirLayout();
    void scrollingBackShowsOldLines();
    void transcriptStaysEditable();
    void assistiveEditing_data();
    void assistiveEditing();
    void assistiveEditingKeepsToOneMessage_data();
    void assistiveEditingKeepsToOneMessage();
    void inputKeepsWhatWasWritten_data();
    void inputKeepsWhatWasWritten();
};

void TestChatTextBox::initTestCase()
{
    // Before any box exists: the boxes' reporting hands its events on to the handler before it.
    QAccessible::installUpdateHandler(follow);
}

void TestChatTextBox::everyLineKept_data()
{
    QTest::addColumn<int>("appends");
    QTest::addColumn<QString>("body");
    QTest::newRow("one message") << 1 << u"你好"_s;
    QTest::newRow("a long conversation") << 3000 << u"你好，今天天气真不错，我们一起出去走走吧"_s;
    QTest::newRow("lines inside a message") << 400 << u"第一行\n第二行\r\n第三行\r第四行"_s;
    QTest::newRow("empty bodies") << 300 << QString();
    QTest::newRow("one long word") << 50 << QString(1000, u'a');
    QTest::newRow("a message longer than a paragraph") << 20 << u"长"_s.repeated(5000);
}

void TestChatTextBox::everyLineKept()
{
    QFETCH(int, appends);
    QFETCH(QString, body);
    auto box = shownBox();
    QString expected;
    for (int i = 0; i < appends; ++i) {
        const QString text = message(i, body);
        box->appendAtEnd(text);
        expected += ChatTextBox::withBreakChances(text);
        if (i % 97 == 0)
            box->repaint();
    }
    expected.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    QCOMPARE(box->toPlainText(), expected);
    QCOMPARE(accessibleText(*box), expected);
    // The same text through a copy of everything.
    box->selectAll();
    QCOMPARE(box->textCursor().selection().toPlainText(), expected);
    // Still at the very end, the closing empty line in view.
    QCOMPARE(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());
}

void TestChatTextBox::paragraphsOutOfViewReleaseTheirLayout()
{
    auto box = shownBox();
    const int appends = 2000;
    for (int i = 0; i < appends; ++i) {
        box->appendAtEnd(message(i, u"你好，今天天气真不错"_s));
        if (i % 50 == 0)
            box->repaint();
    }
    box->repaint();
    const QTextDocument *document = box->document();
    // Far fewer paragraphs than lines: a paragraph costs more than a line inside one.
    QCOMPARE_LT(document->blockCount(), appends / 10);
    const int firstVisible = topBlock(*box).blockNumber();
    QCOMPARE_GT(firstVisible, 2);
    int laidOutAbove = 0;
    for (QTextBlock block = document->firstBlock().next(); block.blockNumber() < firstVisible;
         block = block.next()) {
        if (block.layout()->lineCount() > 0)
            ++laidOutAbove;
    }
    QCOMPARE(laidOutAbove, 0);
    QVERIFY(topBlock(*box).layout()->lineCount() > 0);
}

void TestChatTextBox::scrollingBackShowsOldLines()
{
    auto box = shownBox();
    for (int i = 0; i < 1500; ++i)
        box->appendAtEnd(message(i, u"第%1条"_s.arg(i)));
    box->repaint();
    // Page by page back into paragraphs laid out again on demand, then to the top.
    for (const bool toTop : {false, true}) {
        QScrollBar *bar = box->verticalScrollBar();
        if (toTop) {
            bar->setValue(0);
        } else {
            for (int page = 0; page < 20; ++page)
                bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        }
        box->repaint();
        const QTextBlock first = topBlock(*box);
        QVERIFY(first.layout()->lineCount() > 0);
        if (toTop)
            QVERIFY(first.text().startsWith(u"用户 (12:00:00)"_s));
        else
            QVERIFY(first.blockNumber() > 0 && first.next().next().isValid());
    }
    // A message after scrolling back brings the view to the end again.
    box->appendAtEnd(message(1500, u"最后一条"_s));
    box->repaint();
    QCOMPARE(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());
    QVERIFY(box->toPlainText().endsWith(u"最后一条\n\n"_s));
}

void TestChatTextBox::transcriptStaysEditable()
{
    auto box = shownBox();
    for (int i = 0; i < 800; ++i)
        box->appendAtEnd(message(i, u"你好"_s));
    const QString before = box->toPlainText();
    box->setFocus();
    box->moveCursor(QTextCursor::Start);
    QTest::keyClicks(box.get(), u"note "_s);
    QCOMPARE(box->toPlainText(), u"note "_s + before);
    box->appendAtEnd(message(800, u"再见"_s));
    QVERIFY(box->toPlainText().startsWith(u"note 用户"_s));
    QVERIFY(box->toPlainText().endsWith(u"再见\n\n"_s));
}

void TestChatTextBox::assistiveEditing_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("after");
    QTest::newRow("editable") << false << u"你们好呀\n再见"_s;
    QTest::newRow("read-only") << true << u"你好\n再见"_s;
}

void TestChatTextBox::assistiveEditing()
{
    QFETCH(bool, readOnly);
    QFETCH(QString, after);
    auto box = shownBox();
    box->appendAtEnd(u"你好\n再见"_s);
    box->setReadOnly(readOnly);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(box.get());
    QVERIFY(face && face->editableTextInterface());
    QCOMPARE(face->role(), QAccessible::EditableText);
    QCOMPARE(face->state().readOnly, readOnly);
    face->editableTextInterface()->insertText(1, u"们"_s);
    face->editableTextInterface()->replaceText(3, 3, u"呀"_s);
    QCOMPARE(box->toPlainText(), after);
    QCOMPARE(face->textInterface()->text(0, -1), after);
    QCOMPARE(face->textInterface()->characterCount(), after.size());
    // Lines read one at a time end at the line separator inside the paragraph.
    int start = -1;
    int end = -1;
    const QString line = face->textInterface()->textAtOffset(
        int(after.size()) - 1, QAccessible::LineBoundary, &start, &end);
    QCOMPARE(line, u"再见"_s);
}

void TestChatTextBox::assistiveEditingKeepsToOneMessage_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<bool>("refused");
    const qsizetype longest = ChatTextBox::LongestMessage;
    QTest::newRow("a few words") << u"你好"_s << u"们"_s << false;
    QTest::newRow("up to the limit") << u"你好"_s << QString(longest - 2, u'a') << false;
    QTest::newRow("one over the limit") << u"你好"_s << QString(longest - 1, u'a') << true;
    QTest::newRow("four million characters") << QString() << QString(4'000'000, u'a') << true;
}

void TestChatTextBox::assistiveEditingKeepsToOneMessage()
{
    QFETCH(QString, before);
    QFETCH(QString, inserted);
    QFETCH(bool, refused);
    ChatTextBox box;
    box.splitLongParagraphs();
    box.holdOneMessage();
    box.setPlainText(before);
    QStringList notices;
    connect(&box, &ChatTextBox::refused, &box,
            [&notices](const QString &notice) { notices.append(notice); });
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&box);
    QVERIFY(face && face->editableTextInterface());
    face->editableTextInterface()->insertText(int(before.size()), inserted);
    QCoreApplication::processEvents();

    // What the box holds is never more than one message; what overfilled it is taken back
    // whole, and the user is told.
    QCOMPARE(box.message(), refused ? before : before + inserted);
    QCOMPARE(notices.size(), refused ? 1 : 0);
    if (refused)
        QVERIFY2(notices.first().contains(u"一条消息最多"_s), qPrintable(notices.first()));
}

void TestChatTextBox::inputKeepsWhatWasWritten_data()
{
    const QString word(9999, u'a');
    const QString chinese = u"一二三四五六七八九十"_s.repeated(500);
    const QString smiles = u"😀"_s.repeated(5000);
    QTest::addColumn<Script>("script");
    QTest::newRow("long pastes, some with line breaks") << Script([=](Writer &w) {
        w.paste(word);
        w.paste(word + u"\n"_s + chinese + u"\n\n"_s);
        w.press(Qt::Key_Return);
        w.paste(word);
    });
    QTest::newRow("typing inside a split paragraph") << Script([=](Writer &w) {
        w.paste(word + chinese);
        w.press(Qt::Key_Left, 2500);
        w.paste(u"你好"_s);
        w.press(Qt::Key_Left, 2100);
        w.press(Qt::Key_Return);
        w.press(Qt::Key_Left, 2500, Qt::ShiftModifier);
    });
    QTest::newRow("a piece written over") << Script([=](Writer &w) {
        w.paste(word);
        w.selectBlock(2);
        w.paste(u"字\n字"_s);
        w.press(Qt::Key_Left, 2);
        w.press(Qt::Key_Backspace);
        w.paste(u"字"_s);
    });
    QTest::newRow("deleting across a split, undone and redone") << Script([=](Writer &w) {
        w.paste(word + word);
        w.press(Qt::Key_Left, 100);
        w.press(Qt::Key_Left, 2500, Qt::ShiftModifier);
        w.press(Qt::Key_Delete);
        w.box.undo();
        w.box.undo();
        w.box.redo();
        w.box.redo();
    });
    QTest::newRow("surrogate pairs at the splits") << Script([=](Writer &w) {
        w.paste(u"a"_s + smiles + smiles);
        w.press(Qt::Key_Left, 1500);
        w.press(Qt::Key_Backspace, 1100);
        w.press(Qt::Key_Delete, 1100);
        w.press(Qt::Key_Left, 1500, Qt::ShiftModifier);
    });
}

void TestChatTextBox::inputKeepsWhatWasWritten()
{
    QFETCH(Script, script);
    ChatTextBox box;
    reportLikeQtTextControl(box);
    box.splitLongParagraphs();
    box.resize(300, 120);
    box.show();
    follower = {&box, {}, -1};
    Writer writer{box};
    script(writer);
    QCOMPARE(box.message(), writer.text);
    // Laid out in short blocks, none of which starts inside a character.
    QCOMPARE_GT(box.blockCount(), writer.text.count(u'\n') + 1);
    for (QTextBlock block = box.document()->firstBlock(); block.isValid(); block = block.next()) {
        QCOMPARE_LE(block.length() - 1, ParagraphSplitter::LongestBlock);
        QVERIFY(block.text().isEmpty() || !block.text().front().isLowSurrogate());
    }
    // Assistive technology reads the text as written and counts in it, whether it reads it
    // whole or follows the edits, and sees the selection and caret where the user left them.
    QAccessibleTextInterface *face = QAccessible::queryAccessibleInterface(&box)->textInterface();
    const qsizetype from = std::min(writer.at, writer.anchor);
    const qsizetype length = std::abs(writer.at - writer.anchor);
    QCOMPARE(face->text(0, -1), writer.text);
    QCOMPARE(face->characterCount(), writer.text.size());
    QCOMPARE(follower.text, writer.text);
    QCOMPARE(face->cursorPosition(), writer.at);
    QCOMPARE(follower.caret, writer.at);
    int start = -1;
    int end = -1;
    face->selection(0, &start, &end);
    QCOMPARE(start, length == 0 ? 0 : from);
    QCOMPARE(end, length == 0 ? 0 : from + length);
    QCOMPARE(face->text(int(from), int(from + length)), writer.text.mid(from, length));
    // The selection copies as written.
    if (length > 0) {
        box.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), writer.text.mid(from, length));
    }
    // A span chosen by assistive technology, across soft breaks, copies as written.
    qsizetype third = writer.text.size() / 3;
    if (writer.text.at(third).isLowSurrogate())
        ++third;
    face->setSelection(0, int(third), int(2 * third));
    box.copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), writer.text.mid(third, third));
    // And everything, too.
    box.selectAll();
    box.copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), writer.text);
}

QTEST_MAIN(TestChatTextBox)
#include "tst_chattextbox.moc"
