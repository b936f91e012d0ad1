// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/Controls.h"

#include "window/WindowLayout.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>

namespace Controls {

namespace {

QString fontFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const char16_t *wanted :
         {u"微软雅黑", u"Microsoft YaHei", u"WenQuanYi Micro Hei", u"Noto Sans CJK SC"}) {
        const QString family = QString::fromUtf16(wanted);
        if (families.contains(family))
            return family;
    }
    return QFont().family();
}

} // namespace

QFont windowFont(qreal points, bool bold)
{
    QFont font(fontFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void place(QWidget *control, const char16_t *name)
{
    control->setObjectName(QString::fromUtf16(name));
    control->setGeometry(WindowLayout::rect(name));
}

QLabel *makeLabel(QWidget *container, const char16_t *name, const QString &caption,
                  const QColor &colour, const QString &role)
{
    auto *label = new QLabel(caption, container);
    // Labels show names, keys and messages: never read them as markup.
    label->setTextFormat(Qt::PlainText);
    place(label, name);
    label->setAttribute(Qt::WA_NoMousePropagation);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAccessibleDescription(role);
    return label;
}

QPushButton *makeButton(QWidget *container, const char16_t *name, const QString &caption)
{
    auto *button = new QPushButton(caption, container);
    place(button, name);
    button->setAccessibleName(QString(caption).remove(u'&'));
    return button;
}

void setLabelText(QLabel *label, const QString &text)
{
    label->setText(text);
    if (!label->wordWrap() && !label->property("fixedWidth").toBool())
        label->adjustSize();
}

} // namespace Controls
