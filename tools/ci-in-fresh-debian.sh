#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Does what CI does, on a machine that has never seen the project: a fresh Debian 12 (minbase
# with only git and ca-certificates), the committed HEAD cloned into it, `bash .ci/run` inside
# as root, and the system thrown away. Uncommitted changes are not part of the run.
# Run it before resolving anything that changes set-up, the test command or the checked build.
# Usage: tools/ci-in-fresh-debian.sh   (needs root and Debian's package mirror; 30–40 minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$(pwd)"
echo "trying commit $(git rev-parse --short HEAD) in a fresh Debian 12"
start=$(date +%s)

source tools/fresh-debian.sh
status=0
# Nothing of this machine's environment reaches the run: only what a CI runner would set.
in_fresh_debian minbase git,ca-certificates \
    "git clone --quiet '$repo' \"\$1/root/miaoyutong\"" \
    'chroot "$1" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 bash -c "cd /root/miaoyutong && bash .ci/run"' ||
    status=$?

minutes=$((($(date +%s) - start + 59) / 60))
if [ $status -eq 0 ]; then
    echo "PASS: .ci/run passed in a fresh Debian 12 (about $minutes min in all)"
else
    echo "FAIL: .ci/run failed in a fresh Debian 12 (exit $status, about $minutes min)" >&2
fi
exit $status
