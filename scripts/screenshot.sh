#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts qxr-fanuc under a private X server, drives it with real input and saves a picture of the window.
#   scripts/screenshot.sh [start|generated|error] [OUTPUT.png]
#     start      the window as it opens (default)
#     generated  after picking General Register [R] and clicking the button
#     error      with the message for an empty QXR Register box (the whole screen, to show the message)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/xvfb.sh
ensure_packages xvfb x11-utils xdotool imagemagick
./build.sh build >/dev/null

state=${1:-start}
output=${2:-docs/screenshot-$state.png}
app=
start_private_xvfb 1024x480
trap 'kill $xvfb $app 2>/dev/null || true' EXIT

build/bin/qxr-fanuc >/dev/null 2>&1 &
app=$!
window=$(xdotool search --sync --onlyvisible --name 'QXR - Fanuc' | head -1)
sleep 0.5

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
if [ "$state" != start ]; then
    click 724 141          # open the register type list, which arms the button
    xdotool key Return     # pick General Register [R]
    sleep 0.2
    click 668 252          # Generate Script String
fi
if [ "$state" = error ]; then
    click 676 42           # the QXR Register box
    xdotool key ctrl+a BackSpace
    click 668 252
    sleep 0.5
    import -window root "$output"
else
    import -window "$window" "$output"
fi
echo "saved $output"
