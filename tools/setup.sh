#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Installs what is missing on a Debian 12 machine, then configures the build in ./build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ pkg-config libbenchmark-dev
    qt6-base-dev qt6-speech-dev qt6-declarative-dev libicu-dev zlib1g-dev libreadline-dev fasttext libfasttext-dev
    qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng qt6-translations-l10n
    fonts-wqy-microhei locales
    clang clang-format libclang-rt-14-dev llvm libbenchmark-dev
    xvfb xauth xdotool imagemagick dbus-x11 at-spi2-core python3-pyatspi
    qt6-svg-dev
    dpkg-dev file lintian appstream desktop-file-utils mmdebstrap
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
