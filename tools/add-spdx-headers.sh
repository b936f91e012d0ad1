#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Puts the licence and copyright lines at the top of every tracked source file that lacks them
# (after a #! line); files that have them are left alone, so running it twice changes nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
licence='SPDX-License-Identifier: GPL-3.0-or-later'
holder='SPDX-FileCopyrightText: The 妙语通 developers'

git ls-files -z -- '*.cpp' '*.h' '*.h.in' '*.py' '*.sh' '*.cmake' 'CMakeLists.txt' \
        '*/CMakeLists.txt' '.ci/run' |
while IFS= read -r -d '' file; do
    grep -q 'SPDX-License-Identifier' "$file" && continue
    case "$file" in
        *.cpp | *.h | *.h.in) mark='//' ;;
        *) mark='#' ;;
    esac
    header="$mark $licence"$'\n'"$mark $holder"
    if head -n 1 "$file" | grep -q '^#!'; then
        { head -n 1 "$file"; printf '%s\n' "$header"; tail -n +2 "$file"; } > "$file.spdx"
    else
        { printf '%s\n' "$header"; cat "$file"; } > "$file.spdx"
    fi
    chmod --reference="$file" "$file.spdx"
    mv "$file.spdx" "$file"
    echo "$file"
done
