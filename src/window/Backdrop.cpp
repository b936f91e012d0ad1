// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/Backdrop.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>

Backdrop::Backdrop(const QPixmap &picture, QWidget *parent) : QWidget(parent), m_picture(picture)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

void Backdrop::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
    painter.drawPixmap(0, 0, m_picture);
}

void Backdrop::mousePressEvent(QMouseEvent *event)
{
    // Any button sets the origin; only the left button alone drags.
    const QPointF at = event->position();
    m_dragOrigin = QPointF(std::nearbyint(at.x()), std::nearbyint(at.y()));
    event->accept();
    // Wayland lets no program place its own window: the compositor moves it instead.
    if (event->buttons() == Qt::LeftButton &&
        QGuiApplication::platformName() == QLatin1String("wayland") && window()->windowHandle())
        window()->windowHandle()->startSystemMove();
}

void Backdrop::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved();
    if (event->buttons() != Qt::LeftButton)
        return;
    QWidget *frame = window();
    const QPointF shift = event->position() - m_dragOrigin;
    frame->move(frame->pos() + shift.toPoint());
    event->accept();
}

void Backdrop::keyPressEvent(QKeyEvent *event)
{
    // Keys typed while the backdrop has the focus belong to it alone, not to the window.
    event->accept();
}
