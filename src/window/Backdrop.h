// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// The window's backdrop picture: paints the frame the controls sit on and is the handle by
// which the borderless window is dragged.

#include <QPixmap>
#include <QPointF>
#include <QWidget>

class Backdrop : public QWidget
{
    Q_OBJECT

public:
    explicit Backdrop(const QPixmap &picture, QWidget *parent = nullptr);

signals:
    // The pointer moved over the exposed backdrop, whatever the buttons.
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPixmap m_picture;
    QPointF m_dragOrigin;
};
