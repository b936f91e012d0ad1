// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/Accessibility.h"

#include "window/Decoration.h"
#include "window/GlyphLabel.h"

#include <QAccessibleWidget>

namespace {

// A glyph is drawn as a label but works as a button.
class GlyphButton : public QAccessibleWidget
{
public:
    explicit GlyphButton(GlyphLabel *glyph) : QAccessibleWidget(glyph, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<GlyphLabel *>(widget())->clicked();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

// Strokes and frames: drawing only, nothing to read or press.
class Drawing : public QAccessibleWidget
{
public:
    explicit Drawing(QWidget *drawing) : QAccessibleWidget(drawing, QAccessible::NoRole) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

QAccessibleInterface *describe(const QString &className, QObject *object)
{
    if (auto *glyph = qobject_cast<GlyphLabel *>(object);
        glyph && className == QLatin1StringView("GlyphLabel"))
        return new GlyphButton(glyph);
    if (auto *drawing = dynamic_cast<Decoration *>(object);
        drawing && className == QLatin1StringView("QWidget"))
        return new Drawing(drawing);
    return nullptr;
}

} // namespace

namespace Accessibility {

void describeCustomControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(describe);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace Accessibility
