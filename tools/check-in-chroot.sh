#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Installs the package in a clean Debian 12 made with mmdebstrap, as a user would with apt,
# runs it (--version, --help, then the window on Xvfb: the name dialog, and Data.ait written
# in the per-user folder), purges it, and throws the system away.
# Usage: tools/check-in-chroot.sh [PACKAGE.deb] [SCREENSHOT.png]
#   (default: build-deb/miaoyutong_*.deb; needs root and Debian's package mirror)
set -euo pipefail
cd "$(dirname "$0")/.."
deb="${1:-$(ls build-deb/miaoyutong_*.deb 2>/dev/null | tail -1)}"
shot="${2:-}"
[ -f "$deb" ] || { echo "no package: run tools/build-deb.sh first" >&2; exit 1; }
deb="$(realpath "$deb")"

work="$(mktemp -d /tmp/miaoyu-chroot.XXXXXX)"
trap 'rm -rf "$work"' EXIT

# What runs inside the new system; mmdebstrap mounts /proc, /sys and /dev around it.
cat > "$work/inside.sh" <<'INSIDE'
#!/bin/sh
set -eu
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 HOME=/root
# Nothing of the calling session's desktop reaches the new system.
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_RUNTIME_DIR QT_QPA_PLATFORM WAYLAND_DISPLAY
step() { printf '\n=== %s\n' "$*"; }

step "apt install ./$(basename "$1")"
apt-get install -y "/tmp/$(basename "$1")" > /tmp/apt-install.log
grep -E '^[0-9]+ upgraded' /tmp/apt-install.log
tail -n 3 /tmp/apt-install.log
dpkg-query -W -f='${Package} ${Version} ${Status}\n' miaoyutong

step "miaoyutong --version (no display)"
unset DISPLAY
miaoyutong --version
step "miaoyutong --help"
miaoyutong --help

step "the window on Xvfb, run as root"
Xvfb :7 -screen 0 1024x768x24 -nolisten tcp > /tmp/xvfb.log 2>&1 &
xvfb=$!
export DISPLAY=:7
i=0; until xdpyinfo > /dev/null 2>&1; do i=$((i+1)); [ $i -lt 100 ] || exit 1; sleep 0.1; done
SPEECHD_CMD=/nonexistent miaoyutong > /tmp/program.log 2>&1 &
program=$!
# The first run asks the user's name; ASCII types reliably through xdotool.
timeout 30 xdotool search --sync --onlyvisible --name '^妙语通$' > /tmp/windows
echo "window(s) titled 妙语通: $(wc -l < /tmp/windows)"
xdotool windowfocus --sync "$(head -n 1 /tmp/windows)"
xdotool type --delay 50 chroot
xdotool key Return
data=/root/.local/share/miaoyutong/Data.ait
i=0; until [ -s "$data" ]; do i=$((i+1)); [ $i -lt 200 ] || { cat /tmp/program.log; exit 1; }; sleep 0.1; done
sleep 1
echo "written: $data ($(stat -c %s "$data") bytes), begins with: $(head -c 8 "$data")"
if find /usr -name Data.ait | grep -q .; then echo "Data.ait under /usr!"; exit 1; fi
echo "no Data.ait under /usr"
xwd -root -silent > /tmp/screen.xwd
kill "$program"; wait "$program" || true
kill "$xvfb"; wait "$xvfb" || true

step "apt purge miaoyutong"
apt-get purge -y miaoyutong > /tmp/apt-purge.log
tail -n 2 /tmp/apt-purge.log
if dpkg-query -W miaoyutong 2> /dev/null; then echo "still known to dpkg"; exit 1; fi
if [ -e /usr/bin/miaoyutong ] || [ -e /usr/share/doc/miaoyutong ]; then echo "files left"; exit 1; fi
echo "gone; the user's Data.ait stays: $(ls "$data")"
INSIDE

source tools/fresh-debian.sh
in_fresh_debian apt xvfb,xauth,xdotool,x11-utils,x11-apps \
    "copy-in '$deb' /tmp" \
    "copy-in '$work/inside.sh' /tmp" \
    'chroot "$1" sh /tmp/inside.sh '"'$(basename "$deb")'" \
    "copy-out /tmp/screen.xwd '$work'"
if [ -n "$shot" ]; then
    convert "xwd:$work/screen.xwd" "$shot"
    echo "screenshot: $shot"
fi
echo "PASS: installed, ran and purged in a clean Debian 12"
