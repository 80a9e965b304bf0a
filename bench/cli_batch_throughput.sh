#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times qxr-fanuc-cli --batch on a million generated records written to /dev/null and prints records a second.
# Usage: bench/cli_batch_throughput.sh [build/bin/qxr-fanuc-cli] [RECORDS]
set -euo pipefail
cli=${1:-build/bin/qxr-fanuc-cli}
records=${2:-1000000}
input=$(mktemp)
trap 'rm -f "$input"' EXIT

awk -v n="$records" 'BEGIN {
    for (i = 0; i < n; i++) {
        printf "%d,%d,%d,%s\n", 12 + i % 16000, 1 + i % 200, 1 + i % 4, (i % 2 ? "R" : "PR")
    }
}' >"$input"

runs=5
times=()
for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$cli" --batch <"$input" >/dev/null
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc -l)")
done
median=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((runs + 1) / 2))p")
printf 'records: %d  runs: %d  median: %.3f s  throughput: %.0f records/s\n' \
    "$records" "$runs" "$median" "$(echo "$records / $median" | bc -l)"
