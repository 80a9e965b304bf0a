#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Windows installer as a user meets it, in a fresh Wine prefix: a silent install puts the programs
# into the user's own programs folder, a Start-menu entry and the uninstaller's entry under installed apps;
# the installed window passes the real-input check and the installed command line gives the worked example
# byte for byte; installing again over it works; a silent uninstall leaves no file and no registry entry.
# Usage: scripts/windows/check-installer.sh SETUP.exe
set -euo pipefail
installer=$(realpath "$1")
cd "$(dirname "$0")/../.."
source scripts/packages.sh
source scripts/xvfb.sh
source scripts/windows/wine.sh
start_scratch_wine windows-installer

give_wine_times_new_roman
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\qxr-fanuc-sorvane'
windows_path() { wine winepath -u "$1" 2>/dev/null | tr -d '\r'; }
folder=$(windows_path "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')\\Programs\\QXR - Fanuc Sorvane")
shortcut=$(windows_path "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs\\QXR - Fanuc Sorvane.lnk")

for round in first again; do
    wine "$installer" /S >/dev/null 2>&1 || fail "the $round silent install ended with a failure"
    [ -f "$folder/qxr-fanuc.exe" ] && [ -f "$folder/uninstall.exe" ] || fail "$round install: no programs in $folder"
done
[ -f "$shortcut" ] || fail "no Start-menu entry at $shortcut"
registered=$(wine reg query "$key" /v UninstallString 2>/dev/null | tr -d '\r' || true)
grep -q 'uninstall.exe' <<<"$registered" || fail "no uninstaller entry under $key"

check_worked_example "$folder"
scripts/windows/window-check.sh "$folder/qxr-fanuc.exe" || fail "the installed window's check"

wine "$folder/uninstall.exe" /S >/dev/null 2>&1 || fail "the silent uninstall ended with a failure"
# The uninstaller runs on from a copy of itself; its folder goes when it ends.
for _ in $(seq 60); do
    [ -e "$folder" ] || break
    sleep 1
done
[ ! -e "$folder" ] || fail "files are left after the uninstall: $(find "$folder" | head -n 5 | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is left after the uninstall"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller's entry is left after the uninstall"

[ "$failed" -eq 0 ] && echo "windows installer: ok ($(du -h "$installer" | cut -f1))"
exit "$failed"
