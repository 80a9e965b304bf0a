# SPDX-License-Identifier: MIT
# Starts a private X server for the window program and exports DISPLAY; sets xvfb to its process id.
# 96 dpi, as on most desktops: the window's point sizes are meant for it; no reset when the last client leaves,
# which would refuse the next one for a moment. Sourced by the scripts that
# show the window; the caller stops the server (kill "$xvfb").
#   start_private_xvfb WIDTHxHEIGHT

start_private_xvfb() {
    local display=:$((70 + RANDOM % 29))
    Xvfb "$display" -screen 0 "$1x24" -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=$display
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $display" >&2
    return 1
}
