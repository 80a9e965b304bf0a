#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times qxr-fanuc-cli --plan on a plan of ROWS rows (100,000 by default) beside --batch on the same transfers,
# run in turns, and prints the median of each and their ratio. Every third row or so takes a free QXR register
# (reads, and writes to Fanuc registers of their own); the rest are rows of no items, so that the plan stands
# with every row placed.
# Usage: bench/cli_plan_throughput.sh [build/bin/qxr-fanuc-cli] [ROWS]
set -euo pipefail
cli=${1:-build/bin/qxr-fanuc-cli}
rows=${2:-100000}
plan=$(mktemp)
records=$(mktemp)
trap 'rm -f "$plan" "$records"' EXIT

# The k-th row with items takes QXR pair k from -32768 on; a row of none gets the next free register.
awk -v n="$rows" -v plan="$plan" -v records="$records" 'BEGIN {
    print "direction,type,fanuc,items,qxr,label" >plan
    taken = 0; writes = 0
    for (i = 0; i < n; i++) {
        kind = i % 100
        qxr = -32768 + 2 * taken
        if (kind < 16) {
            printf "read,R,%d,1,,row %d\n", 1 + i % 200, i >plan
            printf "%d,%d,1,R\n", qxr, 1 + i % 200 >records
            taken++
        } else if (kind < 32) {
            printf "write,R,%d,1,,row %d\n", -7999 + writes, i >plan
            printf "%d,%d,1,R\n", qxr, -7999 + writes >records
            writes++; taken++
        } else {
            printf "read,PR,%d,0,,row %d\n", 1 + i % 250, i >plan
            printf "%d,%d,0,PR\n", qxr, 1 + i % 250 >records
        }
    }
}'

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}
median() { sort -g | sed -n "$((($1 + 1) / 2))p"; }

"$cli" --plan --from -32768 "$plan" 2>/dev/null | wc -l | grep -qx "$rows" || {
    echo "the plan did not stand: $("$cli" --plan --from -32768 "$plan" 2>&1 >/dev/null | grep -v warning | head -3)" >&2
    exit 1
}
runs=5
plan_times=()
batch_times=()
for _ in $(seq "$runs"); do
    plan_times+=("$(seconds "$cli" --plan --from -32768 "$plan")")
    batch_times+=("$(seconds sh -c "\"$cli\" --batch <\"$records\"")")
done
plan_median=$(printf '%s\n' "${plan_times[@]}" | median "$runs")
batch_median=$(printf '%s\n' "${batch_times[@]}" | median "$runs")
printf 'rows: %d  runs: %d  --plan median: %.3f s  --batch median: %.3f s  ratio: %.2f\n' "$rows" "$runs" \
    "$plan_median" "$batch_median" "$(echo "$plan_median / $batch_median" | bc -l)"
