#!/usr/bin/env bash
# Runs every test offscreen, each in its own temporary directory (the tests make their own).
set -euo pipefail
cd "$(dirname "$0")/../build"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure --timeout 300 -j2
