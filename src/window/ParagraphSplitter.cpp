// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/ParagraphSplitter.h"

#include <QPlainTextDocumentLayout>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <utility>

namespace {

// The character format property of a soft break: a number no other break carries, so that a
// copy of the mark can be told from the mark.
constexpr int SoftBreakMark = QTextFormat::UserProperty + 1;

// A mark where none belongs: on a character (or, with no length, on the break before the block
// at position) that was written after a soft break and took its format.
struct CopiedMark
{
    int position;
    int length;
    QTextCharFormat format;
};

QList<CopiedMark> copiedMarks(const QTextBlock &first, const QTextBlock &last)
{
    QList<CopiedMark> copies;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (block.charFormat().hasProperty(SoftBreakMark) &&
            !ParagraphSplitter::continuesParagraph(block))
            copies.append({block.position(), 0, block.charFormat()});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment piece = it.fragment();
            if (piece.charFormat().hasProperty(SoftBreakMark))
                copies.append({piece.position(), piece.length(), piece.charFormat()});
        }
        if (block == last)
            break;
    }
    return copies;
}

// Where the pieces of block start, at most LongestBlock characters apart: where a laid-out line
// starts, so that the split shows nowhere, unless one line is longer than a piece.
QList<int> cutsOf(const QTextBlock &block)
{
    if (auto *layout = qobject_cast<QPlainTextDocumentLayout *>(block.document()->documentLayout()))
        layout->ensureBlockLayout(block);
    const QTextLayout *lines = block.layout();
    const QString text = block.text();
    QList<int> cuts;
    for (int start = 0; text.size() - start > ParagraphSplitter::LongestBlock;) {
        int cut = start + ParagraphSplitter::LongestBlock;
        const QTextLine line = lines->lineForTextPosition(cut);
        if (line.isValid() && line.textStart() > start)
            cut = line.textStart();
        else if (text.at(cut).isLowSurrogate() && text.at(cut - 1).isHighSurrogate())
            --cut;
        cuts.append(cut);
        start = cut;
    }
    return cuts;
}

} // namespace

ParagraphSplitter::ParagraphSplitter(QTextDocument *document)
    : QObject(document), m_document(document)
{
    connect(document, &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { noteChange(position, added); });
    // Emitted once the change is laid out, outside it: tidying is a change of its own.
    connect(document, &QTextDocument::contentsChanged, this, &ParagraphSplitter::tidyChange);
}

bool ParagraphSplitter::continuesParagraph(const QTextBlock &block)
{
    const int mark = block.charFormat().intProperty(SoftBreakMark);
    if (mark == 0 || !block.previous().isValid())
        return false;
    // Text written after a soft break takes its format, mark and all, and so does a break
    // written after that text: only the first of a run of the same mark is the soft break.
    QTextCursor before(block.previous());
    before.movePosition(QTextCursor::EndOfBlock);
    return before.charFormat().intProperty(SoftBreakMark) != mark;
}

QString ParagraphSplitter::selectedText(const QTextCursor &selection)
{
    const QString raw = selection.selectedText();
    const int start = selection.selectionStart();
    QString text;
    text.reserve(raw.size());
    qsizetype copied = 0;
    for (QTextBlock block = selection.document()->findBlock(start).next(); block.isValid();
         block = block.next()) {
        const qsizetype at = block.position() - 1 - start; // the break before block
        if (at >= raw.size())
            break;
        if (continuesParagraph(block)) {
            text += QStringView(raw).mid(copied, at - copied);
            copied = at + 1;
        }
    }
    text += QStringView(raw).mid(copied);
    return text;
}

int ParagraphSplitter::messageOffset(int position) const
{
    int offset = position;
    for (QTextBlock block = m_document->firstBlock().next();
         block.isValid() && block.position() <= position; block = block.next()) {
        if (continuesParagraph(block))
            --offset;
    }
    return offset;
}

int ParagraphSplitter::documentPosition(int offset) const
{
    int position = offset;
    for (QTextBlock block = m_document->firstBlock().next();
         block.isValid() && block.position() <= position; block = block.next()) {
        if (continuesParagraph(block))
            ++position;
    }
    return position;
}

void ParagraphSplitter::noteChange(int position, int added)
{
    if (m_tidying)
        return;
    // A change may remove soft breaks or (undone or redone) bring them back: counted anew.
    const int end = m_document->characterCount() - 1;
    m_softBreaks = end - messageOffset(end);
    m_changedFrom = m_changedFrom < 0 ? position : std::min(m_changedFrom, position);
    m_changedTo = std::max(m_changedTo, position + added);
}

void ParagraphSplitter::tidyChange()
{
    if (m_tidying || m_changedFrom < 0)
        return;
    const int end = m_document->characterCount() - 1;
    const QTextBlock first = m_document->findBlock(std::min(m_changedFrom, end));
    const QTextBlock last = m_document->findBlock(std::min(m_changedTo, end));
    m_changedFrom = m_changedTo = -1;
    const QScopedValueRollback tidying(m_tidying, true);

    // Tidying joins the undo step of the change it tidies: undo and redo then only ever return
    // to tidy states, and a soft break comes back with its mark.
    QTextCursor edit(m_document);
    bool editing = false;
    const auto beginEdit = [&] {
        if (!std::exchange(editing, true))
            edit.joinPreviousEditBlock();
    };
    const QList<CopiedMark> copies = copiedMarks(first, last);
    for (const CopiedMark &copy : copies) {
        beginEdit();
        QTextCharFormat format = copy.format;
        format.clearProperty(SoftBreakMark);
        edit.setPosition(copy.position);
        if (copy.length == 0) {
            edit.setBlockCharFormat(format);
        } else {
            edit.setPosition(copy.position + copy.length, QTextCursor::KeepAnchor);
            edit.setCharFormat(format);
        }
    }
    // From the last block back, so that the blocks still to visit keep their positions.
    const int firstPosition = first.position();
    for (QTextBlock block = last; block.isValid() && block.position() >= firstPosition;) {
        const int breakBefore = block.position() - 1;
        if (block.length() == 1 && continuesParagraph(block)) {
            // An emptied piece would pass its mark to whatever is typed into it.
            beginEdit();
            edit.setPosition(breakBefore);
            edit.deleteChar();
            --m_softBreaks;
        } else if (block.length() - 1 > LongestBlock) {
            beginEdit();
            split(block, edit);
        }
        if (breakBefore < 0)
            break;
        block = m_document->findBlock(breakBefore);
    }
    if (editing)
        edit.endEditBlock();
}

void ParagraphSplitter::split(const QTextBlock &block, QTextCursor &edit)
{
    const int start = block.position();
    const QList<int> cuts = cutsOf(block);
    // From the last cut back, so that the earlier ones keep their positions.
    for (auto cut = cuts.crbegin(); cut != cuts.crend(); ++cut) {
        edit.setPosition(start + *cut);
        QTextCharFormat mark = edit.charFormat();
        mark.setProperty(SoftBreakMark, ++m_lastMark);
        edit.insertBlock(edit.blockFormat(), mark);
        ++m_softBreaks;
    }
}
