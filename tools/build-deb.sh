#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Builds the Debian package: tools/build-deb.sh [BUILD-DIR]   (default ./build-deb)
# Configures a packaged build there (Data.ait always in the per-user folder, no tests), with
# Debian's own compiler and linker flags, builds it and leaves miaoyutong_<version>_<arch>.deb
# in BUILD-DIR. Any further arguments go to CMake, e.g. -DMIAOYU_SCREENSHOT_URL=...
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${1:-$source_dir/build-deb}"
shift || true

# Debian's hardening (stack protector, fortified functions, read-only relocations, bind now).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

cmake -S "$source_dir" -B "$build_dir" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DMIAOYU_PACKAGED=ON -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@"
cmake --build "$build_dir" -j2
cd "$build_dir"
cpack -G DEB
