#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Drives the Windows window program under Wine with real X input, as a person would, and checks what it shows.
#   scripts/windows/window-check.sh QXR-FANUC.EXE [SCREENSHOT.png]
#
# Uses the Wine prefix and X display of the caller when WINEPREFIX and DISPLAY are set (as in
# ./build.sh windows-test), else makes its own. Checks: the window by its caption, its client size at 96 dpi,
# that the button does nothing before the list was opened, that opening the list and picking a type arms it,
# that the worked example fills both result boxes byte for byte (read back through the clipboard), and that
# an empty box brings the error message while the window stays open with every box kept.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/packages.sh
source scripts/xvfb.sh
source scripts/windows/wine.sh
ensure_packages wine wine64 xvfb x11-utils xdotool xclip imagemagick fonts-liberation bc

program=$(realpath "$1")
screenshot=${2:-}
caption='QXR - Fanuc  Sorvane'
read_expected='mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.'
write_expected='mb.Write(6,4,2,1000);  // Read Value From QXR Register 12, and Store in Fanuc General Register [R] 1.'

app=
own_xvfb=
own_wine=
cleanup() {
    [ -z "$app" ] || kill "$app" 2>/dev/null || true
    [ -z "$own_wine" ] || stop_wine
    [ -z "$own_xvfb" ] || kill "$own_xvfb" 2>/dev/null || true
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
    start_private_xvfb 1280x1024
    own_xvfb=$xvfb
fi
if [ -z "${WINEPREFIX:-}" ]; then
    start_wine "$(mktemp -d /tmp/qxr-fanuc-wine.XXXXXX)"
    own_wine=1
    give_wine_times_new_roman
fi

failures=0
check() { # WHAT EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        echo "ok: $1"
    else
        echo "FAILED: $1: expected \"$2\", got \"$3\""
        failures=$((failures + 1))
    fi
}

# Window-relative centres of the controls (the design's twips / 15).
qxr_box=(676 42)
type_list=(724 141)
generate=(668 252)
write_box=(504 324)
read_box=(760 324)

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.4; }
# A box's whole text, through the clipboard: a sentinel first, so that an empty box, which copies nothing,
# reads as empty.
box_text() {
    printf 'nothing copied' | xclip -selection clipboard >/dev/null 2>&1
    sleep 0.3
    click "$@"
    xdotool key ctrl+a ctrl+c
    sleep 0.5
    local text
    text=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$text" = "nothing copied" ] && text=
    printf '%s' "$text"
}

# A box's text against what it should hold, read again up to twice: under load a click or a copy can land
# before the window is ready for it.
check_box() { # WHAT EXPECTED X Y
    local text
    for _ in 1 2 3; do
        text=$(box_text "$3" "$4")
        [ "$text" == "$2" ] && break
        sleep 1
    done
    check "$1" "$2" "$text"
}

start=$(date +%s.%N)
(cd "$(dirname "$program")" && exec wine "$program" >/dev/null 2>&1) &
app=$!
timeout 60 xdotool search --sync --onlyvisible --name "^$caption\$" >/dev/null
echo "started in $(echo "$(date +%s.%N) - $start" | bc) s"
sleep 1
# Found again once the window has settled: under Wine, Qt may replace the X window it showed first, and the
# first one's id then names no window.
window=$(xdotool search --onlyvisible --name "^$caption\$" | tail -n 1)
check "caption" "$caption" "$(xdotool getwindowname "$window")"
eval "$(xdotool getwindowgeometry --shell "$window")"
check "client size" "894x372" "${WIDTH}x${HEIGHT}"

click "${generate[@]}"
check_box "the button does nothing before the list is opened" "" "${read_box[@]}"

click "${type_list[@]}"    # opens the list, which arms the button
xdotool key Return         # picks the first type, General Register [R]
sleep 0.4
click "${generate[@]}"
[ -z "$screenshot" ] || import -window "$window" "$screenshot"
check_box "read statement" "$read_expected" "${read_box[@]}"
check_box "write statement" "$write_expected" "${write_box[@]}"

click "${qxr_box[@]}"
xdotool key ctrl+a BackSpace
click "${generate[@]}"
sleep 1
message=$(xdotool search --onlyvisible --name "^$caption\$" | grep -v "^$window\$" | head -n 1 || true)
if [ -n "$message" ]; then
    printf 'nothing copied' | xclip -selection clipboard >/dev/null 2>&1
    xdotool windowfocus --sync "$message" key ctrl+c
    sleep 0.5
    shown=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r' || true)
    check "error heading" "yes" "$(grep -qx 'Error 13: Type mismatch' <<<"$shown" && echo yes || echo "$shown")"
    check "error detail" "yes" \
        "$(grep -qx 'The QXR Register box is empty. Enter a whole number such as 12.' <<<"$shown" && echo yes || echo "$shown")"
    xdotool key Return
    sleep 1
    click 100 300 # back in the window, on the logo, which takes no input
else
    check "error message shown" "a message window" "none"
fi
check "window still open" "yes" "$(xdotool search --onlyvisible --name "^$caption\$" | grep -qx "$window" && echo yes || echo no)"
check_box "read box kept" "$read_expected" "${read_box[@]}"
check_box "write box kept" "$write_expected" "${write_box[@]}"
check_box "QXR box kept as typed" "" "${qxr_box[@]}"

echo "$failures failed"
[ "$failures" -eq 0 ]
