#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command in a brand-new minimal Debian root, as a user on a freshly installed machine would.
#   scripts/fresh-root.sh SUITE COMMAND...          e.g. scripts/fresh-root.sh trixie ./build.sh test
#   scripts/fresh-root.sh --kept SUITE COMMAND...   in a root kept between runs, on this checkout itself
#
# The root is made with debootstrap --variant=minbase from the Debian mirror that apt already uses, and the
# project's tracked files are copied to /src in it. COMMAND runs there as root, in private mount and pid
# namespaces: every process it starts ends with it and nothing it mounts is seen by the host. The pristine
# root is cached under /var/cache (FRESH_ROOT_REFRESH=1 makes it anew); each run works in a copy that is
# removed afterwards, on failure and on interrupt too. Downloaded packages are kept beside the cache, so a
# second run fetches only what changed. Needs root, debootstrap and unshare (util-linux).
#
# With --kept the root is made once from the pristine one and kept, with the packages the command installs,
# and the checkout itself is bound at /src, so that what the command builds stays in it: this is how an older
# Debian builds with a newer one's packages (the Windows build), not a test of a fresh machine. The cache of
# Qt for Windows is shared with the host.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

kept=0
if [ "${1:-}" = --kept ]; then
    kept=1
    shift
fi
if [ $# -lt 2 ]; then
    echo "usage: scripts/fresh-root.sh [--kept] SUITE COMMAND..." >&2
    exit 2
fi
suite=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-root: must run as root (debootstrap, chroot and namespaces need it)" >&2
    exit 2
fi
ensure_packages debootstrap util-linux git

cache=/var/cache/qxr-fanuc-fresh-root
pristine=$cache/$suite
archives=$cache/$suite-archives

# The first Debian mirror named in apt's sources, deb822 or one-line form.
debian_mirror() {
    local uri
    uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '/^URIs:/ { print $2 }' |
        grep -E '/debian/?$' | head -n 1 || true)
    [ -n "$uri" ] || uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }' |
        grep -E '/debian/?$' | head -n 1 || true)
    echo "${uri:-http://deb.debian.org/debian}"
}

make_pristine() {
    local staging=$cache/.$suite.staging.$$
    mkdir -p "$cache" "$archives"
    trap 'rm -rf --one-file-system "$staging"' EXIT
    echo "fresh-root: making a $suite root from $(debian_mirror)"
    debootstrap --variant=minbase --cache-dir="$archives" "$suite" "$staging" "$(debian_mirror)" \
        >"$cache/$suite.debootstrap.log" 2>&1 ||
        { tail -n 20 "$cache/$suite.debootstrap.log" >&2; exit 1; }
    rm -rf --one-file-system "$pristine"
    mv "$staging" "$pristine"
    trap - EXIT
}

if [ ! -d "$pristine" ] || [ "${FRESH_ROOT_REFRESH:-0}" = 1 ]; then
    make_pristine
fi

windows_qt_cache=/var/cache/qxr-fanuc-windows-qt
if [ "$kept" = 1 ]; then
    work=$cache/$suite-kept
    if [ ! -f "$work/.made" ]; then
        rm -rf --one-file-system "$work"
        cp -a "$pristine/." "$work/"
        touch "$work/.made"
    fi
    mkdir -p "$work/src" "$windows_qt_cache" "$work$windows_qt_cache"
    source=$PWD
else
    work=$(mktemp -d "/var/tmp/qxr-fanuc-fresh-root.$suite.XXXXXX")
    # The namespaces take every mount with them when they end, so removing the copy never reaches the host.
    cleanup() { rm -rf --one-file-system "$work"; }
    trap cleanup EXIT
    cp -a "$pristine/." "$work/"
    mkdir -p "$work/src"
    git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$work/src"
    source=
fi
cp /etc/resolv.conf "$work/etc/resolv.conf"

# Inside: a private /proc, /dev, /sys and /tmp, and the shared package cache; then the command in /src.
# unshare runs in the background so that an interrupt reaches this script at once. It ignores INT and TERM
# itself, so it is killed outright; --kill-child then takes the namespace's first process with it, and with
# that every process the command started.
# shellcheck disable=SC2016 # expanded by the inner shell
unshare --mount --pid --fork --kill-child --propagation private -- bash -c '
    set -e
    root=$1 archives=$2 source=$3 qt_cache=$4
    shift 4
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs tmpfs "$root/tmp"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    if [ -n "$source" ]; then
        mount --bind "$source" "$root/src"
        mount --bind "$qt_cache" "$root$qt_cache"
    fi
    exec chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" /bin/bash -c "cd /src && \"\$@\"" fresh-root "$@"
' fresh-root "$work" "$archives" "$source" "$windows_qt_cache" "$@" 0<&0 &
inside=$!
trap 'kill -KILL "$inside" 2>/dev/null; wait "$inside" 2>/dev/null || true; exit 130' INT TERM
wait "$inside"
