#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Unpacks the Debian package into a scratch root and checks that every file is where the desktop expects it,
# that the desktop entry, AppStream metadata and manual pages validate, that all carry one version, and that
# Debian's own checker, lintian, finds nothing to report: no error, no warning.
# Usage: tests/package/check_package.sh PACKAGE.deb
set -euo pipefail
package=$(realpath "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"

app_id=io.github.qxrfanuc.sorvane
expected=(
    usr/bin/qxr-fanuc
    usr/bin/qxr-fanuc-cli
    "usr/share/applications/$app_id.desktop"
    "usr/share/metainfo/$app_id.metainfo.xml"
    "usr/share/icons/hicolor/16x16/apps/$app_id.png"
    "usr/share/icons/hicolor/32x32/apps/$app_id.png"
    "usr/share/icons/hicolor/48x48/apps/$app_id.png"
    "usr/share/icons/hicolor/128x128/apps/$app_id.png"
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    usr/share/man/man1/qxr-fanuc-cli.1.gz
    usr/share/bash-completion/completions/qxr-fanuc-cli
    usr/share/man/man1/qxr-fanuc.1.gz
    usr/share/doc/qxr-fanuc-sorvane/copyright
    usr/share/doc/qxr-fanuc-sorvane/changelog.gz
)
failed=0
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || { echo "missing: /$file"; failed=1; }
done
for size in 16 32 48 128; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" | grep -q "$size x $size" ||
        { echo "icon ${size}x${size} has the wrong size"; failed=1; }
done
[ -x "$root/usr/bin/qxr-fanuc" ] && [ -x "$root/usr/bin/qxr-fanuc-cli" ] || { echo "programs not executable"; failed=1; }

desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || failed=1
grep -qx "Exec=qxr-fanuc" "$root/usr/share/applications/$app_id.desktop" || { echo "desktop entry runs something else"; failed=1; }
grep -qx "Icon=$app_id" "$root/usr/share/applications/$app_id.desktop" || { echo "desktop entry names another icon"; failed=1; }
grep -qx "StartupWMClass=qxr-fanuc" "$root/usr/share/applications/$app_id.desktop" ||
    { echo "desktop entry does not name the window's class"; failed=1; }
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$app_id.metainfo.xml" || failed=1

for page in qxr-fanuc-cli qxr-fanuc; do
    man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null || true)
    [ -z "$man_warnings" ] || { echo "manual page $page: $man_warnings"; failed=1; }
done

package_version=$(dpkg-deb -f "$package" Version)
cli_version=$("$root/usr/bin/qxr-fanuc-cli" --version | awk '{ print $2 }')
metainfo_version=$(grep -o 'release version="[^"]*"' "$root/usr/share/metainfo/$app_id.metainfo.xml" | cut -d'"' -f2)
man_version=$(zcat "$root/usr/share/man/man1/qxr-fanuc-cli.1.gz" | grep -m1 '^\.TH' | grep -o 'qxr-fanuc-cli [0-9.]*' | awk '{ print $2 }')
if [ "$package_version" != "$cli_version" ] || [ "$package_version" != "$metainfo_version" ] ||
    [ "$package_version" != "$man_version" ]; then
    echo "versions differ: package $package_version, --version $cli_version, metainfo $metainfo_version, manual $man_version"
    failed=1
fi
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation; do
    dpkg-deb -f "$package" Depends | grep -q "$dependency" || { echo "does not depend on $dependency"; failed=1; }
done

# Overrides, if ever needed, go in the package with a comment that says why; there are none.
lintian --fail-on error,warning --allow-root "$package" || { echo "lintian reports the above"; failed=1; }

[ "$failed" -eq 0 ] && echo "package ok: $(basename "$package") ($package_version), ${#expected[@]} files in place"
exit "$failed"
