// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/GlyphLabel.h"

#include <QMouseEvent>

GlyphLabel::GlyphLabel(const QColor &litColour, QWidget *parent) : QLabel(parent)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, litColour);
    setPalette(palette);
    setMouseTracking(true);
    setAutoFillBackground(false);
}

void GlyphLabel::setLit(bool lit)
{
    m_lit = lit;
    setAutoFillBackground(lit);
    update();
}

void GlyphLabel::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered();
    event->accept();
}

void GlyphLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void GlyphLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}
