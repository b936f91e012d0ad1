// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// A close or minimise square at the top right of the header band: lit in its colour while
// the pointer is over it, otherwise only the backdrop and the glyph's lines show.

#include <QColor>
#include <QLabel>

class GlyphLabel : public QLabel
{
    Q_OBJECT

public:
    GlyphLabel(const QColor &litColour, QWidget *parent = nullptr);

    void setLit(bool lit);
    bool isLit() const { return m_lit; }

signals:
    void hovered();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_lit = false;
};
