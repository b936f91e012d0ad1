#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Runs every test offscreen through ctest (each test makes its own temporary directory), then
# the checked build: the whole suite again under the sanitizers, and each fuzz target for a
# while on its seed corpus (tools/run-checked.sh). --quick runs only the first part. First of
# all, every C++ file must be as .clang-format lays it out.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror)
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure --timeout 300 -j2
if [ "${1:-}" != "--quick" ]; then
    bash "$root/tools/run-checked.sh"
fi
