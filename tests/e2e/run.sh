#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Runs the end-to-end test with Debian's own Python, the one python3-pyatspi installs into.
if [ ! -x /usr/bin/python3 ]; then
    echo "SKIP: /usr/bin/python3 is not installed (see tools/setup.sh)"
    exit 77
fi
exec /usr/bin/python3 "$(dirname "$0")/test_chat_window.py" "$@"
