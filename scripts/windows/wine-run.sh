#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine: the cross build's emulator, through which ctest runs every test.
#   scripts/windows/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# On a busy machine Wine now and then fails to start a program: it ends at once with a failure, and nothing
# of the program is printed. Every test program prints something, so a run that fails without a word is
# tried once more; any other outcome stands as it is.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
    wine "$@" >"$out" 2>"$err"
    status=$?
    if [ "$status" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ]; then
        break
    fi
    [ "$attempt" -eq 1 ] && echo "wine-run: $1 ended with status $status before printing anything; once more" >&2
done
cat "$out"
cat "$err" >&2
exit "$status"
