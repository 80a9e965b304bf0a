#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Completes partial command lines with the bash completion as bash would, against the built program:
#   tests/package/completion_test.sh COMPLETION_FILE PROGRAM
set -uo pipefail
completion=$1
program=$2
source "$completion"
failed=0
# expect WORDS... = REPLIES: the replies, sorted and joined by blanks, for the last word
expect() {
    local words=() replies
    while [ "$1" != "=" ]; do words+=("$1"); shift; done
    shift
    COMP_WORDS=("$program" "${words[@]}")
    COMP_CWORD=${#words[@]}
    COMPREPLY=()
    _qxr_fanuc_cli
    replies=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    if [ "${replies% }" != "$*" ]; then
        echo "completing '${words[*]}': got '${replies% }', expected '$*'"
        failed=1
    fi
}
expect --che = --check
expect --check --f = --fail-on --fix --format --from
expect --check --select qxr-o = qxr-odd qxr-overlap
expect --check --ignore range,ov = range,overlap
expect --check --fail-on w = warning
expect --check --color n = never
expect --check --format s = sarif
expect --plan --fr = --from
cd "$(mktemp -d)" && touch cell.csv && expect --plan ce = cell.csv
exit $failed
