// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Small helpers for building the window's controls: the window's font, a control's name and
// place from the layout table, and labels as the design draws them.

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace Controls {

// The window's Chinese font at the given size: 微软雅黑 where installed, else a close match.
QFont windowFont(qreal points, bool bold = false);

// Names control and puts it where the layout table has it.
void place(QWidget *control, const char16_t *name);

// A label in its place. Labels can be transparent and take the pointer from the backdrop under
// them. A screen reader names a label by its text; role says what the text is.
QLabel *makeLabel(QWidget *container, const char16_t *name, const QString &caption,
                  const QColor &colour, const QString &role);

// A push button in its place, named for screen readers by its caption without the "&".
QPushButton *makeButton(QWidget *container, const char16_t *name, const QString &caption);

// Sets a label's text and, unless it wraps or has a fixed width, fits its size to it.
void setLabelText(QLabel *label, const QString &text);

} // namespace Controls
