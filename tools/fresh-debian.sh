# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Sourced by the scripts that try something on a fresh Debian 12: makes the system with
# mmdebstrap (as root, with Debian's mirror at hand), runs the given customize hooks in it, and
# throws it away afterwards, whatever happened.
# Usage: in_fresh_debian VARIANT PACKAGES HOOK...   (PACKAGES comma-separated, may be empty)
#   Each HOOK is a shell command for mmdebstrap's --customize-hook: "$1" in it is the new
#   system's root; `chroot "$1" …` runs something inside, with /proc, /sys and /dev mounted.

in_fresh_debian() {
    local variant="$1" packages="$2"
    shift 2
    command -v mmdebstrap >/dev/null || {
        echo "mmdebstrap is missing (tools/setup.sh installs it)" >&2
        return 1
    }
    [ "$(id -u)" -eq 0 ] || { echo "making a Debian system needs root" >&2; return 1; }
    local root args=(--variant="$variant")
    root="$(mktemp -d /tmp/miaoyu-debian.XXXXXX)"
    [ -z "$packages" ] || args+=(--include="$packages")
    local hook
    for hook in "$@"; do
        args+=(--customize-hook="$hook")
    done
    echo "making a Debian 12 system ($variant${packages:+, with $packages}) in $root"
    local status=0
    mmdebstrap "${args[@]}" bookworm "$root" || status=$?
    rm -rf "$root"
    return $status
}
