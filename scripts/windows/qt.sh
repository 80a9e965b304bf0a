#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, once per machine, and prints its prefix.
#   scripts/windows/qt.sh          build it if it is not cached yet; print the installed prefix
#
# Debian packages no Windows build of Qt, but it packages Qt's source and the host tools (moc, rcc, uic) of the
# same version. The source comes from `apt-get source` with a deb-src entry for the mirrors apt already uses, in
# a private apt state, so the machine's own apt set-up is left alone. qtbase is cross-compiled with mingw-w64
# (posix threads) as DLLs, so that a user can replace them, trimmed to what the window and its tests need.
# The installed prefix is cached under /var/cache, keyed by the Qt version, the flags and the compiler, so a
# change to any of them builds anew and an unchanged one is never built twice. Progress goes to standard error.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/packages.sh

ensure_packages cmake ninja-build perl dpkg-dev qt6-base-dev g++-mingw-w64-x86-64-posix >&2

cache=${QXR_WINDOWS_QT_CACHE:-/var/cache/qxr-fanuc-windows-qt}
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
compiler_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)

# What Qt is built with. Tablet events are off because Debian's source drops their headers; Direct2D 1.1 is off
# because its plugin builds the platform plugin's sources a second time for nothing. FreeType is off, so there
# is no offscreen plugin: the tests run on the windows plugin with a virtual X display.
qt_flags=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_GENERATE_SBOM=OFF
    -DFEATURE_pkg_config=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_glib=OFF -DFEATURE_cpp_winrt=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
    -DFEATURE_system_textmarkdownreader=OFF -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_testlib=ON
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d1_1=OFF
    -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF
    -DCMAKE_DISABLE_FIND_PACKAGE_Libb2=TRUE -DCMAKE_DISABLE_FIND_PACKAGE_WrapZSTD=TRUE
    -DCMAKE_DISABLE_FIND_PACKAGE_WrapSystemDoubleConversion=TRUE -DCMAKE_DISABLE_FIND_PACKAGE_WrapSystemMd4c=TRUE
)
# The toolchain Qt is built with: the project's, without running anything under Wine. A copy lives in the
# prefix, so that the prefix does not depend on where a checkout is.
toolchain=$(grep '^set(' cmake/mingw-w64-x86_64.cmake | grep -v CMAKE_CROSSCOMPILING_EMULATOR)

key=$(printf '%s\n' "$qt_version" "$compiler_version" "${qt_flags[@]}" "$toolchain" | sha256sum | cut -c1-12)
prefix=$cache/qt-${qt_version//[^A-Za-z0-9.]/_}-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/work-$key
mkdir -p "$cache"
rm -rf --one-file-system "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/sources" "$prefix"
trap 'rm -rf --one-file-system "$work"' EXIT

# deb-src entries for exactly the sources apt already uses, in deb822 or one-line form.
for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && sed 's/^Types:.*/Types: deb-src/' "$file" >"$work/apt/sources/$(basename "$file")"
done
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] && sed -n 's/^deb \(.*\)/deb-src \1/p' "$file" >"$work/apt/sources/$(basename "$file").list"
done
apt_options=(-o "Dir::Etc::SourceParts=$work/apt/sources" -o "Dir::Etc::SourceList=/dev/null" -o APT::Sandbox::User=root
    -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=")
echo "windows-qt: fetching the source of qt6-base $qt_version" >&2
apt-get "${apt_options[@]}" update -qq >&2
(cd "$work" && apt-get "${apt_options[@]}" source -qq "qt6-base=$qt_version" >&2)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

printf '%s\n' "$toolchain" >"$prefix/mingw-w64-x86_64.cmake"
echo "windows-qt: configuring qtbase $qt_version for Windows ($compiler_version)" >&2
start=$SECONDS
cmake -S "$source_dir" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${qt_flags[@]}" >"$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log" >&2; exit 1; }
echo "windows-qt: building ($(ninja -C "$work/build" -n | wc -l) steps)" >&2
cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
    { grep -B 5 -A 20 -m 3 -E 'error:|FAILED' "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null

# What ships with the DLLs: Qt's licence texts and the exact source it was built from.
mkdir -p "$prefix/licenses"
cp "$source_dir"/LICENSES/*.txt "$prefix/licenses/" 2>/dev/null || true
cp "$source_dir/debian/copyright" "$prefix/licenses/debian-copyright"
(cd "$work" && ls ./*.dsc) | sed 's|^\./||' >"$prefix/licenses/SOURCE"
echo "Built from Debian's source package qt6-base $qt_version with x86_64-w64-mingw32-g++-posix" \
    "$compiler_version." >>"$prefix/licenses/SOURCE"
echo "windows-qt: built and installed in $((SECONDS - start)) s" >&2
touch "$prefix/.complete"
echo "$prefix"
