#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times qxr-fanuc-cli --check, output to /dev/null, on two scripts of a million statements each: generated
# read statements with no findings, and copies of one wide write, each of which overlaps every earlier one.
# Prints each script's median time and peak memory over five runs, beside the median of grep -c on the same
# script in the same run, the floor any reader of the whole file has.
# Usage: bench/cli_check_throughput.sh [build/bin/qxr-fanuc-cli] [STATEMENTS]
set -euo pipefail
source "$(dirname "$0")/../scripts/packages.sh"
ensure_packages time
cli=${1:-build/bin/qxr-fanuc-cli}
statements=${2:-1000000}
generated=$(mktemp)
copies=$(mktemp)
measure=$(mktemp)
trap 'rm -f "$generated" "$copies" "$measure"' EXIT

# In the window's ranges, so that nothing is found.
awk -v n="$statements" 'BEGIN {
    for (i = 0; i < n; i++) {
        printf "%d,%d,%d,%s\n", 12 + i % 15989, 1 + i % 200, 1 + i % 30, "R"
    }
}' | "$cli" --batch --read >"$generated"
awk -v n="$statements" 'BEGIN { for (i = 0; i < n; i++) print "mb.Write(6,4,60,1000);" }' >"$copies"

median_of_five() { printf '%s\n' "$@" | sort -g | sed -n 3p; }

for script in "$generated" "$copies"; do
    times=()
    memory=()
    grep_times=()
    for _ in 1 2 3 4 5; do
        # GNU time's own report: elapsed seconds and peak resident kilobytes.
        /usr/bin/time -o "$measure" -f '%e %M' "$cli" --check "$script" >/dev/null 2>/dev/null || true
        report=$(tail -n 1 "$measure")
        times+=("${report% *}")
        memory+=("${report#* }")
        start=$(date +%s%N)
        grep -c mb. "$script" | cat >/dev/null # GNU grep stops at the first match when it writes to /dev/null
        grep_times+=("$(echo "scale=3; ($(date +%s%N) - $start) / 1000000000" | bc)")
    done
    median_time=$(median_of_five "${times[@]}")
    median_memory=$(median_of_five "${memory[@]}")
    median_grep=$(median_of_five "${grep_times[@]}")
    name=$([ "$script" = "$generated" ] && echo "generated statements" || echo "copies of one wide write")
    printf '%-26s %d statements, %d bytes: median %s s (grep -c %s s, %sx), peak memory %s KiB\n' \
        "$name" "$statements" "$(wc -c <"$script")" "$median_time" "$median_grep" \
        "$(echo "scale=1; $median_time / $median_grep" | bc)" "$median_memory"
done
