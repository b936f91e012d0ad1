// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// What assistive technology is told about the window's custom-drawn parts: the close and
// minimise glyphs are buttons that can be pressed, and the lines and frames painted over the
// backdrop are not there at all.

namespace Accessibility {

// Installs the descriptions for the whole application; calling it again does nothing.
void describeCustomControls();

} // namespace Accessibility
