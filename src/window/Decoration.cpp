// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/Decoration.h"

#include <QPainter>

Decoration::Decoration(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void Decoration::addLine(const QLineF &line, const QColor &colour, qreal width)
{
    m_strokes.append({line, {}, colour, width});
}

void Decoration::addRoundedFrame(const QRectF &frame, const QColor &colour)
{
    m_strokes.append({{}, frame, colour, 1});
}

void Decoration::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Stroke &stroke : m_strokes) {
        painter.setPen(QPen(stroke.colour, stroke.width, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        if (stroke.frame.isNull())
            painter.drawLine(stroke.line);
        else
            painter.drawRoundedRect(stroke.frame, 6, 6);
    }
}
