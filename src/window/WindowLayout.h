// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// Where every control of the chat window sits. Places are kept in twips, the unit the window
// was designed in (15 twips to a pixel at 96 dpi), so they read the same as the design.

#include <QPointF>
#include <QRect>
#include <QStringView>

namespace WindowLayout {

struct Place
{
    const char16_t *name;
    int left;
    int top;
    int width;
    int height;
};

constexpr int TwipsPerPixel = 15;

constexpr int pixels(int twips)
{
    // Round half away from zero so negative places (the backdrop's -20) mirror positive ones.
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

// The place of a named control in pixels, relative to its container.
QRect rect(QStringView name);

// A straight stroke between two points in twips, on the backdrop.
struct Stroke
{
    int x1;
    int y1;
    int x2;
    int y2;
};

// The white strokes of the close cross and the minimise bar.
inline constexpr Stroke GlyphStrokes[] = {
    {8640, 240, 8760, 120},
    {8640, 120, 8760, 240},
    {8280, 240, 8400, 240},
};
inline constexpr int GlyphStrokeWidth = 3; // pixels

// A point in twips as a pixel position; strokes keep the fractions.
constexpr QPointF point(int x, int y)
{
    return {double(x) / TwipsPerPixel, double(y) / TwipsPerPixel};
}

// The window: its size when created, and the size start-up gives it.
constexpr int CreatedWidth = 11205;
constexpr int CreatedHeight = 9735;
constexpr int FinalWidth = 9025;
constexpr int FinalHeight = 7320;

// The teaching panel's two places, and the keyword list's when shown.
constexpr int TeachPanelShownTop = 5400;
constexpr int TeachPanelParkedTop = 7440;
constexpr int ListShownLeft = 0;

} // namespace WindowLayout
