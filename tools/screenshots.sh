#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Retakes the README's screenshots (docs/screenshots/window.png and teaching.png) from the
# program in ./build, on a private X display. Run tools/setup.sh once first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target miaoyutong
exec /usr/bin/python3 tools/screenshots.py build/src/miaoyutong docs/screenshots
