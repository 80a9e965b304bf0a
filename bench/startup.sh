#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Startup against the toolkit's floor. Under one Xvfb, starts in turn qxr-fanuc, the floor (an empty Qt window
# of the same size) and the text floor (the same window showing one line of text in the window's font),
# RUNS times each (default 11), and prints the median time from exec until the window is mapped, the ratios,
# and each program's median peak memory.  Usage: bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/xvfb.sh
ensure_packages xvfb x11-utils bc
./build.sh build >/dev/null
runs=${1:-11}

start_private_xvfb 1280x800
trap 'kill $xvfb 2>/dev/null || true' EXIT

programs=("build/bin/qxr-fanuc" "build/bin/startup_floor" "build/bin/startup_floor --text")
names=("qxr-fanuc" "floor" "text floor")
declare -a times memories
for _ in $(seq "$runs"); do
    for i in "${!programs[@]}"; do
        # shellcheck disable=SC2086 # the text floor's argument is meant to split off
        read -r ms kb < <(build/bin/map_timer ${programs[$i]} 2>/dev/null)
        times[i]+="$ms "
        memories[i]+="$kb "
    done
done

median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
declare -a time_median memory_median
for i in "${!programs[@]}"; do
    time_median[i]=$(median "${times[i]}")
    memory_median[i]=$(median "${memories[i]}")
done
printf 'runs each: %d (medians; time from exec until the window is mapped)\n' "$runs"
for i in "${!programs[@]}"; do
    printf '%-11s %7.1f ms  %6.1f MB peak\n' "${names[$i]}" "${time_median[$i]}" \
        "$(bc -l <<<"${memory_median[$i]} / 1024")"
done
for i in 1 2; do
    printf 'qxr-fanuc / %-10s time ratio %.3f, memory difference %+.1f MB\n' "${names[$i]}" \
        "$(bc -l <<<"${time_median[0]} / ${time_median[$i]}")" \
        "$(bc -l <<<"(${memory_median[0]} - ${memory_median[$i]}) / 1024")"
done
