// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Long paragraphs of a plain text document held as several blocks, for layout's sake only.
// Any change inside a block lays the whole block out again, so every paste into a paragraph of
// a million characters would lay out a million characters; split into blocks of at most
// LongestBlock characters, it lays out a block's worth. The blocks a paragraph was split into
// are joined by soft breaks: block separators whose character format carries a mark, which the
// text read back through selectedText() leaves out.

#include <QObject>

class QTextBlock;
class QTextCursor;
class QTextDocument;

class ParagraphSplitter : public QObject
{
    Q_OBJECT

public:
    static constexpr int LongestBlock = 2000;

    // Keeps the document's blocks short from now on, however its text is changed.
    explicit ParagraphSplitter(QTextDocument *document);

    // Whether the break before block is soft: block continues the paragraph before it.
    static bool continuesParagraph(const QTextBlock &block);

    // The characters selection covers (as QTextCursor::selectedText() gives them), without the
    // soft breaks among them.
    static QString selectedText(const QTextCursor &selection);

    // Where the document's position falls in the text without soft breaks, and back. A position
    // on either side of a soft break is the same offset; it goes back to the one before.
    int messageOffset(int position) const;
    int documentPosition(int offset) const;

    // The soft breaks the document held before the change being reported now: Qt's text
    // control, connected to the document before this, reports a change before it is noted here.
    int softBreaksBeforeChange() const { return m_softBreaks; }

    // Whether the change being reported now is one that only adds, removes or unmarks soft
    // breaks: it changes nothing of the text as written.
    bool isTidying() const { return m_tidying; }

private:
    void noteChange(int position, int added);
    void tidyChange();
    void split(const QTextBlock &block, QTextCursor &edit);

    QTextDocument *m_document;
    // The span the latest change left its characters in, until it is tidied.
    int m_changedFrom = -1;
    int m_changedTo = -1;
    int m_lastMark = 0;
    int m_softBreaks = 0;
    bool m_tidying = false;
};
