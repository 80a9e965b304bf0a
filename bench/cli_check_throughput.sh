#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times qxr-fanuc-cli --check, output to /dev/null, on scripts of the shapes that once took time or memory
# beyond their size, each at 4 and 16 MB: generated statements on lines that end in a lone CR, one line of
# statements, a finding on every line, --fix with an edit on every line, strings holding //, and copies of one
# wide write, each of which overlaps every earlier one; and as a SARIF or JSON document, the findings of a
# finding on every line and of one line of statements, and the edits of --fix. Prints each one's median time
# and peak memory over five runs, beside the median of grep -c on the same script in the same run, the floor
# any reader of the whole file has; so that each time is linear in the size, the 16 MB time should be about 4
# times the 4 MB one.
# Usage: bench/cli_check_throughput.sh [build/bin/qxr-fanuc-cli]
set -euo pipefail
source "$(dirname "$0")/../scripts/packages.sh"
ensure_packages time bc
cli=${1:-build/bin/qxr-fanuc-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

generated_line="mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12."
# The line repeated to the size in MB, each copy followed by the line end given.
repeated() {
    local line=$1 end=$2 megabytes=$3
    awk -v line="$line" -v end="$end" -v size="$((megabytes << 20))" \
        'BEGIN { for (n = 0; n + length(line) + length(end) <= size; n += length(line) + length(end)) printf "%s%s", line, end }'
}

median_of_five() { printf '%s\n' "$@" | sort -g | sed -n 3p; }

measure() {
    local name=$1 script=$2
    shift 2
    local times=() memory=() grep_times=() report start
    for _ in 1 2 3 4 5; do
        # GNU time's own report: elapsed seconds and peak resident kilobytes.
        /usr/bin/time -o "$work/measure" -f '%e %M' "$cli" "$@" "$script" >/dev/null 2>/dev/null || true
        report=$(tail -n 1 "$work/measure")
        times+=("${report% *}")
        memory+=("${report#* }")
        start=$(date +%s%N)
        # GNU grep stops at the first match when it writes to /dev/null; it finds none in some shapes.
        { grep -c mb. "$script" || true; } | cat >/dev/null
        grep_times+=("$(echo "scale=3; ($(date +%s%N) - $start) / 1000000000" | bc)")
    done
    printf '%-42s %9d bytes: median %5s s (grep -c %s s), peak memory %6s KiB\n' "$name" "$(wc -c <"$script")" \
        "$(median_of_five "${times[@]}")" "$(median_of_five "${grep_times[@]}")" "$(median_of_five "${memory[@]}")"
}

for megabytes in 4 16; do
    repeated "$generated_line" $'\r' "$megabytes" >"$work/lone-cr"
    repeated "mb.Read(6,4,2,1000);" "" "$megabytes" >"$work/one-line"
    repeated "mb.Read(6,7,2,1000); // qxr 12" $'\n' "$megabytes" >"$work/findings"
    repeated "mb.Read(6,4,2,1000);" $'\n' "$megabytes" >"$work/bare"
    repeated 'x = "//"; y = "/*";' $'\n' "$megabytes" >"$work/strings"
    repeated "mb.Write(6,4,60,1000);" $'\n' "$megabytes" >"$work/copies"
    measure "lone CR line ends, $megabytes MB" "$work/lone-cr" --check
    measure "one line of statements, $megabytes MB" "$work/one-line" --check
    measure "a finding on every line, $megabytes MB" "$work/findings" --check
    measure "--fix, an edit on every line, $megabytes MB" "$work/bare" --check --fix
    measure "strings holding //, $megabytes MB" "$work/strings" --check
    measure "copies of one wide write, $megabytes MB" "$work/copies" --check
    # The documents are written a finding at a time, so they take the time and memory of the text output.
    measure "a finding on every line, SARIF, $megabytes MB" "$work/findings" --check --format sarif
    measure "one line of statements, SARIF, $megabytes MB" "$work/one-line" --check --format sarif
    measure "--fix, an edit on every line, JSON, $megabytes MB" "$work/bare" --check --fix --format json
done
