// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// Draws the chat window's backdrop, the robot's portrait and the program's icon (the window's,
// and the icon theme's sizes and scalable SVG) into an assets directory, so the pictures can be
// redrawn whenever the window's layout changes.

#include "window/WindowLayout.h"

#include <QtCore/QBuffer>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRectF>
#include <QtCore/QRegularExpression>
#include <QtCore/QTextStream>
#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRadialGradient>
#include <QtSvg/QSvgGenerator>

#include <initializer_list>

using namespace Qt::StringLiterals;

namespace {

// Where a control lies on the backdrop, in the window's own layout (backdrop pixels).
QRect placeOf(QStringView control)
{
    return WindowLayout::rect(control);
}

QColor rgb(QRgb value)
{
    return QColor(value);
}

QColor rgba(QRgb value, int alpha)
{
    QColor c(value);
    c.setAlpha(alpha);
    return c;
}

QFont uiFont(int pixelSize)
{
    QFont f(u"WenQuanYi Micro Hei"_s);
    f.setPixelSize(pixelSize);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// A one-pixel line on whole pixels, so hairlines stay crisp under antialiasing.
void hairline(QPainter &p, int x1, int y1, int x2, int y2, const QColor &colour)
{
    p.fillRect(QRect(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2), qMax(y1, y2))),
               colour);
}

void dottedRow(QPainter &p, int x1, int x2, int y, const QColor &colour)
{
    for (int x = x1; x <= x2; x += 3)
        p.fillRect(x, y, 1, 1, colour);
}

// ---------------------------------------------------------------- backdrop

constexpr QSize BackdropSize(604, 490);

// Areas of the backdrop, all derived from the places of the controls that lie on them.
const QRect TranscriptArea = placeOf(u"TxtTalk");
const QRect InputArea = placeOf(u"TxtSend");
constexpr int HeaderHeight = 64;
constexpr int PanelLeft = 410;
const int BarTop = InputArea.bottom() + 1;

constexpr QRgb HeaderTop = 0x2F7BD9;
constexpr QRgb HeaderBottom = 0x2A6CC4;
constexpr QRgb BodyTint = 0xF7F9FC;
constexpr QRgb PanelTint = 0xF3F7FC;
constexpr QRgb BandTint = 0xE6EAF0;
constexpr QRgb BarTint = 0xEEF2F7;
constexpr QRgb Separator = 0xC8D3E0;
constexpr QRgb Edge = 0xD3DCE8;

void drawHeader(QPainter &p)
{
    const QRectF band(0, 0, BackdropSize.width(), HeaderHeight);
    QLinearGradient fill(band.topLeft(), band.bottomLeft());
    fill.setColorAt(0, rgb(HeaderTop));
    fill.setColorAt(1, rgb(HeaderBottom));
    p.fillRect(band, fill);

    // Soft light discs in the middle of the band; they stay clear of the name, the state tip
    // and the glyphs, which sit on plain blue.
    p.save();
    p.setClipRect(QRectF(250, 0, 270, HeaderHeight));
    p.setPen(Qt::NoPen);
    struct Disc
    {
        double x, y, r;
        int alpha;
    };
    for (const Disc &d : {Disc{300, 70, 46, 10}, Disc{372, -8, 34, 12}, Disc{430, 58, 28, 9},
                          Disc{478, 8, 20, 11}, Disc{505, 50, 12, 10}}) {
        QRadialGradient glow(QPointF(d.x, d.y), d.r);
        glow.setColorAt(0, rgba(0xFFFFFF, d.alpha));
        glow.setColorAt(0.85, rgba(0xFFFFFF, d.alpha));
        glow.setColorAt(1, rgba(0xFFFFFF, 0));
        p.setBrush(glow);
        p.drawEllipse(QPointF(d.x, d.y), d.r, d.r);
    }
    p.restore();

    // A gentle halo lifts the portrait off the band; the window draws the frame itself.
    const QRectF portrait = placeOf(u"ImgPortrait");
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(rgba(0x0B2E66, 16 + 8 * (3 - i)));
        p.drawRoundedRect(portrait.adjusted(-i, -i + 1, i, i + 1), 6 + i, 6 + i);
    }

    hairline(p, 0, HeaderHeight - 1, BackdropSize.width() - 1, HeaderHeight - 1, rgb(0x245EA8));
    hairline(p, 0, 0, BackdropSize.width() - 1, 0, rgb(0x5C9BE6));
}

void drawInfoIcon(QPainter &p, QPointF centre)
{
    const double r = 6.5;
    QRadialGradient fill(centre - QPointF(2, 2), r * 1.6);
    fill.setColorAt(0, rgb(0x4A95EC));
    fill.setColorAt(1, rgb(0x2568C0));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(centre, r, r);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(centre.x(), centre.y() - 3.2), 1.15, 1.15);
    p.drawRoundedRect(QRectF(centre.x() - 1.0, centre.y() - 1.2, 2.0, 5.0), 0.8, 0.8);
}

// A white area with a hairline edge just outside it: the text box lies exactly on the white.
void drawSheet(QPainter &p, const QRect &area)
{
    p.fillRect(area.adjusted(-1, -1, 1, 1), rgb(Edge));
    p.fillRect(area, Qt::white);
}

void drawLeftColumn(QPainter &p)
{
    p.fillRect(QRect(0, HeaderHeight, PanelLeft, BarTop - HeaderHeight), rgb(BodyTint));

    // The status line and its icon sit on the tint just above the transcript.
    const QRectF status = placeOf(u"LabStatus");
    drawInfoIcon(p, QPointF(status.left() - 12.5, status.center().y()));

    // A toolbar-like band between the transcript and the input box, as wide as the column.
    const QRect band(0, TranscriptArea.bottom() + 1, PanelLeft,
                     InputArea.top() - TranscriptArea.bottom() - 1);
    QLinearGradient bandFill(band.topLeft(), band.bottomLeft());
    bandFill.setColorAt(0, rgb(0xEDF0F5));
    bandFill.setColorAt(1, rgb(BandTint));
    p.fillRect(band, bandFill);
    hairline(p, 0, band.top() + 1, PanelLeft - 1, band.top() + 1, rgba(0xFFFFFF, 200));
    // A small grip in the band's middle, the only ornament it carries.
    for (int i = -2; i <= 2; ++i)
        p.fillRect(QRectF(band.center().x() + 6 * i - 1, band.center().y() - 0.5, 2, 2),
                   rgb(0xB9C5D4));

    drawSheet(p, TranscriptArea);
    drawSheet(p, InputArea);
}

void drawSidePanel(QPainter &p)
{
    // The panel runs from the header to the window's bottom edge; its foot is white, like the
    // opaque LabRevise that sits there, so the label reads as printed on the panel.
    const QRect panel(PanelLeft, HeaderHeight, BackdropSize.width() - PanelLeft,
                      BarTop - HeaderHeight);
    QLinearGradient fill(panel.topLeft(), panel.bottomLeft());
    fill.setColorAt(0, rgb(PanelTint));
    fill.setColorAt(1, rgb(0xEAF1FA));
    p.fillRect(panel, fill);
    const QRect foot(PanelLeft, BarTop, panel.width(), BackdropSize.height() - BarTop);
    p.fillRect(foot, Qt::white);
    hairline(p, PanelLeft, BarTop, BackdropSize.width() - 1, BarTop, rgb(Edge));
    hairline(p, PanelLeft, HeaderHeight, PanelLeft, BackdropSize.height() - 1, rgb(Edge));
    hairline(p, PanelLeft + 1, HeaderHeight, PanelLeft + 1, BarTop - 1, rgba(0xFFFFFF, 220));

    // One dotted row a little under each profile label (LabSex .. LabRemarks).
    for (const char16_t *name :
         {u"LabSex", u"LabBirth", u"LabFrom", u"LabAuthor", u"LabSmartWord", u"LabRemarks"}) {
        const QRect label = placeOf(name);
        dottedRow(p, PanelLeft + 10, BackdropSize.width() - 12, label.bottom() + 1 + 3,
                  rgb(Separator));
    }

    // A faint pair of speech bubbles fills the free lower part of the panel.
    const QColor mark = rgb(0xDFE8F3);
    p.setPen(QPen(mark, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath big;
    big.addRoundedRect(QRectF(452, 352, 86, 54), 16, 16);
    QPainterPath tail;
    tail.moveTo(468, 400);
    tail.lineTo(460, 420);
    tail.lineTo(486, 404);
    p.drawPath(big.united(tail));
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(477 + 18 * i, 379), 4.5, 4.5);
    QPainterPath small;
    small.addRoundedRect(QRectF(528, 330, 48, 32), 11, 11);
    QPainterPath smallTail;
    smallTail.moveTo(554, 360);
    smallTail.lineTo(573, 373);
    smallTail.lineTo(568, 356);
    p.setBrush(rgb(0xE6EDF6));
    p.drawPath(small.united(smallTail));

    // The opaque LabRevise covers this line; it only shows if the label is missing. The text
    // keeps to one row of 8 x 8 JPEG blocks inside the label, so no ringing peeks out below it.
    const QRect revise = placeOf(u"LabRevise");
    const auto nextBlock = [](int v) { return (v + 7) / 8 * 8; };
    const QRect hidden(nextBlock(revise.left()), nextBlock(revise.top()), revise.width() - 16, 8);
    p.setPen(rgb(0x9AA6B4));
    p.setFont(uiFont(8));
    p.drawText(hidden, Qt::AlignLeft | Qt::AlignVCenter, u"更新日期"_s);
}

void drawBottomBar(QPainter &p)
{
    const QRect bar(0, BarTop, PanelLeft, BackdropSize.height() - BarTop);
    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    fill.setColorAt(0, rgb(0xF3F6FA));
    fill.setColorAt(1, rgb(BarTint));
    p.fillRect(bar, fill);
    hairline(p, 0, BarTop, PanelLeft - 1, BarTop, rgb(Edge));

    // Outlines two pixels outside CmdTeach and CmdSend.
    for (const QRect &button : {placeOf(u"CmdTeach"), placeOf(u"CmdSend")}) {
        const QRectF outline = QRectF(button).adjusted(-2, -2, 2, 2).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(rgb(0xB4C3D6), 1));
        p.setBrush(rgb(0xFAFCFE));
        p.drawRoundedRect(outline, 4, 4);
    }
}

QImage drawBackdrop()
{
    QImage image(BackdropSize, QImage::Format_RGB32);
    image.fill(rgb(BodyTint));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawHeader(p);
    drawLeftColumn(p);
    drawBottomBar(p);
    drawSidePanel(p);
    return image;
}

// ---------------------------------------------------------------- robot

// The robot's head, in the portrait's 100 x 100 pixels.
void drawRobotHead(QPainter &p)
{
    // Antenna.
    p.setPen(QPen(rgb(0x7D8FA6), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(50, 24), QPointF(50, 11));
    QRadialGradient bulb(QPointF(48, 7), 7);
    bulb.setColorAt(0, rgb(0xFFC27A));
    bulb.setColorAt(1, rgb(0xF26B1D));
    p.setPen(Qt::NoPen);
    p.setBrush(bulb);
    p.drawEllipse(QPointF(50, 9), 5.5, 5.5);
    p.setBrush(rgba(0xFFFFFF, 190));
    p.drawEllipse(QPointF(48, 7), 1.6, 1.6);

    // Ears.
    QLinearGradient ear(QPointF(0, 44), QPointF(0, 66));
    ear.setColorAt(0, rgb(0x6FA2E6));
    ear.setColorAt(1, rgb(0x3A73C4));
    p.setBrush(ear);
    p.setPen(QPen(rgb(0x2F5F9E), 1.2));
    p.drawRoundedRect(QRectF(11, 43, 12, 22), 5, 5);
    p.drawRoundedRect(QRectF(77, 43, 12, 22), 5, 5);

    // Head.
    const QRectF head(18, 21, 64, 62);
    QLinearGradient shell(head.topLeft(), head.bottomRight());
    shell.setColorAt(0, rgb(0xFFFFFF));
    shell.setColorAt(0.55, rgb(0xEEF3F9));
    shell.setColorAt(1, rgb(0xC9D6E6));
    p.setBrush(shell);
    p.setPen(QPen(rgb(0x8195AE), 1.6));
    p.drawRoundedRect(head, 20, 20);
    // A highlight along the top of the shell.
    p.setPen(QPen(rgba(0xFFFFFF, 230), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(26, 26, 48, 30), 40 * 16, 100 * 16);

    // Face screen.
    const QRectF screen(26, 35, 48, 36);
    QLinearGradient glass(screen.topLeft(), screen.bottomLeft());
    glass.setColorAt(0, rgb(0x2E4870));
    glass.setColorAt(1, rgb(0x182841));
    p.setBrush(glass);
    p.setPen(QPen(rgb(0x5F7593), 1.2));
    p.drawRoundedRect(screen, 13, 13);

    // Eyes: glowing ovals with a catch-light.
    for (double x : {39.0, 61.0}) {
        QRadialGradient glow(QPointF(x, 49), 9);
        glow.setColorAt(0, rgba(0x7DF0FF, 150));
        glow.setColorAt(1, rgba(0x7DF0FF, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(x, 49), 9, 9);
        p.setBrush(rgb(0x6BE6FF));
        p.drawEllipse(QPointF(x, 49), 4.6, 5.6);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(x + 1.4, 47), 1.5, 1.5);
    }

    // Cheeks and smile.
    p.setBrush(rgba(0xFF7FA8, 120));
    p.drawEllipse(QPointF(33, 61), 4, 2.6);
    p.drawEllipse(QPointF(67, 61), 4, 2.6);
    p.setPen(QPen(rgb(0x6BE6FF), 2.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(40, 49, 20, 15), 200 * 16, 140 * 16);
}

QImage drawPortrait()
{
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A bright sky behind the robot, so the face stands out inside the frame on the blue band.
    QRadialGradient sky(QPointF(50, 38), 72);
    sky.setColorAt(0, rgb(0xFFFFFF));
    sky.setColorAt(0.6, rgb(0xE4F0FC));
    sky.setColorAt(1, rgb(0xB9D5F4));
    p.fillRect(image.rect(), sky);

    // Shoulders under the head make it a bust rather than a floating head.
    QLinearGradient body(QPointF(0, 84), QPointF(0, 100));
    body.setColorAt(0, rgb(0x4C8BDD));
    body.setColorAt(1, rgb(0x2D67BA));
    p.setPen(QPen(rgb(0x2A5A9C), 1.4));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(16, 88, 68, 30), 14, 14);
    p.setBrush(rgb(0x9AABC0));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(42, 80, 16, 9));
    p.setBrush(rgb(0xFFD166));
    p.drawEllipse(QPointF(50, 95), 3.2, 3.2);

    // Soft shadow of the head on the shoulders.
    p.setBrush(rgba(0x0B2E66, 40));
    p.drawEllipse(QPointF(50, 85), 26, 4);

    drawRobotHead(p);
    return image;
}

// The icon in its own 64 x 64 units; every size, and the scalable one, is drawn from this.
constexpr double IconUnits = 64;

void paintIcon(QPainter &p)
{
    // A speech bubble with its tail at the lower left.
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2, 3, 60, 50), 15, 15);
    QPainterPath tail;
    tail.moveTo(11, 46);
    tail.lineTo(6, 62);
    tail.lineTo(26, 50);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    QLinearGradient blue(QPointF(0, 3), QPointF(0, 62));
    blue.setColorAt(0, rgb(0x4A95EC));
    blue.setColorAt(1, rgb(0x2562B8));
    p.setPen(QPen(rgb(0x1F55A3), 1.5));
    p.setBrush(blue);
    p.drawPath(bubble);

    // The robot in the bubble: large, simple shapes so it still reads at 16 x 16.
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xFF9A3D));
    p.drawEllipse(QPointF(32, 9.5), 3.8, 3.8);
    p.setPen(QPen(Qt::white, 2.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 13), QPointF(32, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xDCE8F7));
    p.drawRoundedRect(QRectF(7.5, 25, 7, 15), 3, 3);
    p.drawRoundedRect(QRectF(49.5, 25, 7, 15), 3, 3);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(11, 16.5, 42, 32), 11, 11);
    p.setBrush(rgb(0x1E3A66));
    p.drawRoundedRect(QRectF(15.5, 21.5, 33, 22.5), 8, 8);
    p.setBrush(rgb(0x6BE6FF));
    p.drawEllipse(QPointF(25, 31), 4, 4.5);
    p.drawEllipse(QPointF(39, 31), 4, 4.5);
    p.setPen(QPen(rgb(0x6BE6FF), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(26.5, 31, 11, 8.5), 200 * 16, 140 * 16);
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / IconUnits, size / IconUnits);
    paintIcon(p);
    return image;
}

// The same drawing as SVG, for the scalable icon theme folder.
bool saveScalableIcon(const QDir &dir, const QString &name)
{
    QBuffer svgText;
    QSvgGenerator svg;
    svg.setOutputDevice(&svgText);
    svg.setSize(QSize(IconUnits, IconUnits));
    svg.setViewBox(QRectF(0, 0, IconUnits, IconUnits));
    svg.setTitle(u"妙语通"_s);
    svg.setDescription(u"The 妙语通 icon: a robot in a speech bubble"_s);
    QPainter p(&svg);
    p.setRenderHint(QPainter::Antialiasing);
    paintIcon(p);
    p.end();

    // The generator gives the size in millimetres at 72 dpi; icon themes count in pixels.
    QString text = QString::fromUtf8(svgText.data());
    text.replace(QRegularExpression(uR"(<svg width="[^"]*" height="[^"]*")"_s),
                 u"<svg width=\"%1\" height=\"%1\""_s.arg(IconUnits));
    text.replace(u"?>\n"_s, u"?>\n<!-- SPDX-License-Identifier: GPL-3.0-or-later -->\n"
                            "<!-- SPDX-FileCopyrightText: The 妙语通 developers -->\n"_s);
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.flush())
        return true;
    QTextStream(stderr) << "drawassets: cannot write " << path << '\n';
    return false;
}

bool save(const QImage &image, const QDir &dir, const QString &name, const char *format,
          int quality)
{
    const QString path = dir.filePath(name);
    if (image.save(path, format, quality))
        return true;
    QTextStream(stderr) << "drawassets: cannot write " << path << '\n';
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: drawassets <assets-dir>\n";
        return 2;
    }
    const QDir dir(args.at(1));
    if (!dir.exists()) {
        QTextStream(stderr) << "drawassets: no such directory " << args.at(1) << '\n';
        return 1;
    }

    bool ok = save(drawBackdrop(), dir, u"backdrop.jpg"_s, "JPG", 92) &&
              save(drawPortrait(), dir, u"portrait.jpg"_s, "JPG", 92) &&
              save(drawIcon(64), dir, u"icon.png"_s, "PNG", -1);
    // The icon theme's sizes; 64 x 64 is icon.png itself, which the window also shows.
    if (!dir.mkpath(u"icons"_s)) {
        QTextStream(stderr) << "drawassets: cannot make " << dir.filePath(u"icons"_s) << '\n';
        return 1;
    }
    const QDir icons(dir.filePath(u"icons"_s));
    for (int size : {16, 22, 24, 32, 48, 128, 256})
        ok = ok && save(drawIcon(size), icons, u"miaoyutong-%1.png"_s.arg(size), "PNG", -1);
    ok = ok && saveScalableIcon(icons, u"miaoyutong.svg"_s);
    return ok ? 0 : 1;
}
