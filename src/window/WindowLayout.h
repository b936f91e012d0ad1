#pragma once
// Where every control of the chat window sits. Places are kept in twips, the unit the window
// was designed in (15 twips to a pixel at 96 dpi), so they read the same as the design.

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
