// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/WindowLayout.h"

#include <array>

namespace WindowLayout {

namespace {

// Left, top, width and height in twips, relative to each control's container.
constexpr std::array<Place, 31> Places{{
    // On the window itself
    {u"ListDate", 9120, 960, 9015, 4365},
    {u"PicTalk", -20, -20, 9135, 9495},
    // On the backdrop
    {u"PicTeach", 0, 7440, 9015, 1935},
    {u"CmdSend", 4680, 6920, 1215, 375},
    {u"CmdTeach", 3390, 6920, 1215, 375},
    {u"TxtSend", 120, 5400, 5895, 1455},
    {u"TxtTalk", 120, 1320, 5895, 3615},
    {u"BarWork", 120, 5025, 5895, 255},
    {u"LabRevise", 6830, 6880, 2040, 255},
    {u"ShapeHead", 120, 120, 735, 735},
    {u"LabClose", 8520, 0, 375, 375},
    {u"LabMin", 8160, 0, 375, 375},
    {u"ImgPortrait", 120, 120, 735, 735},
    {u"LabRemark", 6360, 3720, 2460, 1215},
    {u"LabRemarks", 6360, 3315, 540, 255},
    {u"LabSmartWord", 6360, 2860, 720, 255},
    {u"LabAuthor", 6360, 2400, 720, 255},
    {u"LabFrom", 6360, 1950, 720, 255},
    {u"LabBirth", 6360, 1515, 720, 255},
    {u"LabSex", 6360, 1080, 720, 255},
    {u"LabRTip", 960, 585, 480, 255},
    {u"LabRName", 960, 225, 240, 315},
    {u"LabStatus", 480, 1080, 5055, 255},
    // On the teaching panel
    {u"CmdEdit3", 6840, 1440, 1935, 375},
    {u"CmdEdit2", 3240, 1440, 1575, 375},
    {u"CmdEdit1", 1440, 1440, 1575, 375},
    {u"TxtTeach2", 1440, 600, 7455, 375},
    {u"TxtTeach1", 1440, 120, 3135, 375},
    {u"LabTip", 1440, 1080, 2460, 255},
    {u"LabTip2", 120, 600, 1200, 330},
    {u"LabTip1", 120, 120, 1200, 330},
}};

Place place(QStringView name)
{
    for (const Place &p : Places) {
        if (name == QStringView(p.name))
            return p;
    }
    qFatal("No place is laid out for a control of that name");
}

} // namespace

QRect rect(QStringView name)
{
    const Place p = place(name);
    const int left = pixels(p.left);
    const int top = pixels(p.top);
    // Width from the two rounded edges, so neighbouring controls neither gap nor overlap.
    return QRect(left, top, pixels(p.left + p.width) - left, pixels(p.top + p.height) - top);
}

} // namespace WindowLayout
