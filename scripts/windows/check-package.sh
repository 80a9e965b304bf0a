#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Windows folder as a user gets it: unzipped, it holds the programs, the licence texts and the
# README; its Qt is 6.8; every DLL that an .exe or .dll in it imports is in the folder or is part of Windows;
# and copied into a fresh Wine prefix that has nothing else, the window starts and the command line gives
# the worked example byte for byte.
# Usage: scripts/windows/check-package.sh PACKAGE.zip
set -euo pipefail
package=$(realpath "$1")
cd "$(dirname "$0")/../.."
source scripts/xvfb.sh
source scripts/windows/wine.sh
start_scratch_wine windows-package
mkdir "$scratch/unzipped"
(cd "$scratch/unzipped" && cmake -E tar xf "$package")
folder=$(find "$scratch/unzipped" -mindepth 1 -maxdepth 1 -type d | head -n 1)

for file in qxr-fanuc.exe qxr-fanuc-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    styles/qmodernwindowsstyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll LICENSE.txt README.txt \
    licenses/qt/LGPL-3.0-only.txt licenses/qt/SOURCE licenses/qt/debian-copyright; do
    [ -f "$folder/$file" ] || fail "missing $file"
done
grep -q "qt6-base" "$folder/licenses/qt/SOURCE" || fail "licenses/qt/SOURCE names no Debian source package"
[ -z "$(find "$folder" -name 'Qt6Test.dll')" ] || fail "the test library ships"

# Qt 6.8 LTS, as each Qt DLL's own version resource says (its FileVersion, in UTF-16).
while IFS= read -r dll; do
    version=$(x86_64-w64-mingw32-strings -el "$dll" | grep -x -A1 FileVersion | sed -n 2p)
    [[ "$version" == 6.8.* ]] || fail "${dll#"$folder"/} is Qt ${version:-of no version}, not 6.8"
done < <(find "$folder" -iname 'Qt6*.dll' -o -ipath '*/platforms/*.dll' -o -ipath '*/styles/*.dll')

# DLLs that every Windows has; anything else an .exe or a .dll imports must lie in the folder.
system_dlls=$(tr '\n' ' ' <<<' kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll imm32.dll
 winmm.dll ws2_32.dll version.dll netapi32.dll userenv.dll mpr.dll authz.dll uxtheme.dll dwmapi.dll shcore.dll
 shlwapi.dll comdlg32.dll winspool.drv wtsapi32.dll d3d9.dll d3d11.dll d3d12.dll dxgi.dll dwrite.dll d2d1.dll
 msvcrt.dll setupapi.dll comctl32.dll crypt32.dll bcrypt.dll ntdll.dll ')
shipped=$(cd "$folder" && find . -iname '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]')
while IFS= read -r binary; do
    while IFS= read -r dll; do
        dll=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
        if [[ "$system_dlls" != *" $dll "* && "$dll" != api-ms-win-* ]] && ! grep -qx "$dll" <<<"$shipped"; then
            fail "${binary#"$folder"/} imports $dll, which is neither in the folder nor part of Windows"
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p')
    if x86_64-w64-mingw32-objdump -h "$binary" | grep -q '\.debug_'; then
        fail "${binary#"$folder"/} carries debug sections"
    fi
done < <(find "$folder" -iname '*.exe' -o -iname '*.dll')

# A fresh prefix, with only the unzipped folder in it.
cp -r "$folder" "$WINEPREFIX/drive_c/"
installed="$WINEPREFIX/drive_c/$(basename "$folder")"
check_worked_example "$installed"
(cd "$installed" && exec wine ./qxr-fanuc.exe >/dev/null 2>&1) &
app=$!
if timeout 60 xdotool search --sync --onlyvisible --name '^QXR - Fanuc  Sorvane$' >/dev/null; then
    echo "ok: the window starts from the unzipped folder"
else
    fail "the window did not open from the unzipped folder"
fi
kill "$app" 2>/dev/null || true

[ "$failed" -eq 0 ] && echo "windows package: ok ($(du -h "$package" | cut -f1))"
exit "$failed"
