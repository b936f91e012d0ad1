// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Lines and frames drawn over other controls that never take the mouse: the close and
// minimise glyphs' white strokes and the frame around the portrait.

#include <QColor>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QWidget>

class Decoration : public QWidget
{
public:
    explicit Decoration(QWidget *parent = nullptr);

    // Lines in this widget's coordinates.
    void addLine(const QLineF &line, const QColor &colour, qreal width);
    void addRoundedFrame(const QRectF &frame, const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Stroke
    {
        QLineF line;
        QRectF frame;
        QColor colour;
        qreal width;
    };
    QList<Stroke> m_strokes;
};
