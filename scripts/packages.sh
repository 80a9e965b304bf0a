# SPDX-License-Identifier: MIT
# Installs the Debian packages named, but only those missing, so a set-up machine is not touched.
# Sourced by build.sh and the scripts that need tools of their own.
#
# On Debian a package is present when dpkg says so. Elsewhere a package that provides a command counts as
# present when the command is found, and a library as present (CMake says so if it is not); when something
# is missing and there is no apt-get, the missing ones are named and the script stops.

# The command each tool package provides; packages not listed here are libraries or data.
package_command() {
    case "$1" in
    cmake) echo cmake ;;
    ninja-build) echo ninja ;;
    g++) echo g++ ;;
    pkgconf) echo pkg-config ;;
    clang-format) echo clang-format ;;
    clang-tidy-*) echo "run-${1}" ;;
    clang-[0-9]*) echo "clang++-${1#clang-}" ;;
    dpkg-dev) echo dpkg-shlibdeps ;;
    file) echo file ;;
    desktop-file-utils) echo desktop-file-validate ;;
    appstream) echo appstreamcli ;;
    man-db) echo man ;;
    lintian) echo lintian ;;
    bc) echo bc ;;
    time) echo /usr/bin/time ;;
    xvfb) echo Xvfb ;;
    x11-utils) echo xdpyinfo ;;
    xdotool) echo xdotool ;;
    xclip) echo xclip ;;
    imagemagick) echo convert ;;
    debootstrap) echo debootstrap ;;
    util-linux) echo unshare ;;
    git) echo git ;;
    wine) echo wine ;;
    wine64) echo wine64 ;;
    nsis) echo makensis ;;
    g++-mingw-w64-x86-64-posix) echo x86_64-w64-mingw32-g++-posix ;;
    libc++-*-dev) echo "" ;;
    *) echo "" ;;
    esac
}

package_present() {
    if command -v dpkg-query >/dev/null 2>&1; then
        dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"
        return
    fi
    local command
    command=$(package_command "$1")
    [ -z "$command" ] || command -v "$command" >/dev/null 2>&1
}

ensure_packages() {
    local missing=() package
    for package in "$@"; do
        package_present "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "Missing, and no apt-get to install them with: ${missing[*]} (Debian package names)." >&2
        echo "Install their equivalents, then run this again." >&2
        exit 1
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The newest clang++ of version 16 or later found (older ones cannot compile the standard library's
# std::expected), else the one Debian 12 and 13 both package, installed.
recent_clang() {
    local version
    for version in 25 24 23 22 21 20 19 18 17 16; do
        if command -v "clang++-$version" >/dev/null 2>&1; then
            echo "$version"
            return
        fi
    done
    ensure_packages clang-19 >&2
    echo 19
}
