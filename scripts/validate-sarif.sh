#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Validates what --check --format sarif and json write for a few scripts: a clean one, one with a finding of
# every check (checked, and fixed for the checks --fix alone gives), --fix's edits, and hostile bytes in a
# file's name and in its text, read from a file and from standard input. Each SARIF log must pass the SARIF
# 2.1.0 JSON schema, read by Python's jsonschema, and the rules of the multitool that ships the schema
# (it reports a log's faults, but does not apply the schema itself); each JSON document must be strict JSON.
# CI only: the multitool comes from npm.
#
# Usage: scripts/validate-sarif.sh CLI
set -euo pipefail
cli=$(realpath "$1")
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages python3-jsonschema
command -v npm >/dev/null 2>&1 || ensure_packages npm

work=$PWD/build-sarif
rm -rf "$work/scripts" "$work/logs"
mkdir -p "$work/scripts" "$work/logs"
npm install --prefix "$work/tool" --no-save --ignore-scripts --no-audit --no-fund \
    @microsoft/sarif-multitool-linux@5.7.0 >/dev/null
package=$work/tool/node_modules/@microsoft/sarif-multitool-linux
chmod u+x "$package/Sarif.Multitool"

# A finding of each check, the ones of --fix alone with --fix.
every_check() {
    printf '%s\n' \
        'mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.' \
        'mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 13.' \
        'mb.Write(6,4,2,1000);  // Read Value From QXR Register 12, and Store in Fanuc General Register [R] 1.' \
        'mb.Write(8,4,2,1000);  // Read Value From QXR Register 40, and Store in Fanuc General Register [R] 1.' \
        'mb.Read(x,4,2,1000);' 'mb.Read(6,4,2);' 'mb.Read(99999,4,2,1000);' 'mb.Read(20000,40,2,1000);' \
        'mb.Read(30,7,2,1000);' 'mb.Read(40,100,3,1000);' 'mb.Read(50,200,2,999);' 'mb.Read(60,300,0,1000);' \
        'mb.Read(70,400,2,1000);  // qxr register 140 goes here' 'mb.Read(110,800,2,1000);  // the pump' \
        'mb.read(80,500,2,1000);' $'// a note\fmb.Read(90,600,2,1000);' 'text = "never closed' '/* never closed'
}

# Quotes, backslashes, controls, bytes of no valid UTF-8, invisible and right-to-left characters, in the
# text that findings quote.
hostile() {
    printf '%s\r\n' \
        $'mb.Write(6,4,2,1000);  // Read Value From QXR Register 40, and Store in Fanuc General Register [R] 1. "\\\xff' \
        $'mb.\xe2\x80\x8bRe\x01ad(7,8,2,1000); \x1b[31m\xc0\x80\xed\xa0\x80' \
        $'mb.R\xe2\x80\xaeead(9,12,2,1000); // \x7f\xef\xbb\xbf qxr register 5 "\xf4\x90\x80\x80' \
        $'// \xe2\x80\xa8mb.Read(1,2,3,4); \\u0000'
}

every_check >"$work/scripts/every.txt"
hostile >"$work/scripts/hostile.txt"
"$cli" --read 12 1 1 R >"$work/scripts/clean.txt"
"$cli" --write 100 3 2 PR >>"$work/scripts/clean.txt"
hostile_name=$work/scripts/$'ho"st\\ile %41 #?\n\xff\x1b.txt'
cp "$work/scripts/hostile.txt" "$hostile_name"

# Writes the checker's document for the arguments into the named log; the status must be one --check gives.
document() {
    local log=$1 status=0
    shift
    "$cli" --check "$@" >"$work/logs/$log" 2>/dev/null || status=$?
    case $status in
    0 | 1 | 3 | 4) ;;
    *) echo "--check $* (for $log) ended with $status" >&2 && exit 1 ;;
    esac
}

cd "$work/scripts"
for format in sarif json; do
    document "clean.$format" --format "$format" clean.txt
    document "every.$format" --format "$format" every.txt
    document "every-fixed.$format" --format "$format" --fix every.txt
    document "hostile.$format" --format "$format" "$hostile_name"
    document "hostile-fixed.$format" --format "$format" --fix "$hostile_name"
    document "hostile-stdin.$format" --format "$format" <hostile.txt
    document "files.$format" --format "$format" clean.txt every.txt "$hostile_name" "$work/scripts/absent.txt"
done
cd - >/dev/null

/usr/bin/python3 scripts/check_findings_documents.py "$package/sarif-2.1.0.json" "$work/logs"

# The multitool's own rules: every error and warning it reports is a fault.
faults=0
for log in "$work"/logs/*.sarif; do
    DOTNET_SYSTEM_GLOBALIZATION_INVARIANT=1 "$package/Sarif.Multitool" validate "$log" \
        -o "$log.validation" --log ForceOverwrite --quiet >/dev/null
    /usr/bin/python3 -c '
import json, sys
log = json.load(open(sys.argv[1], encoding="utf-8"))
reported = [r for run in log["runs"] for r in run.get("results", []) if r.get("level", "warning") != "note"]
for r in reported:
    print(sys.argv[2] + ":", r["ruleId"], r["message"].get("text", r["message"]))
sys.exit(1 if reported else 0)' "$log.validation" "$log" || faults=1
done
[ "$faults" -eq 0 ]
echo "$(ls "$work"/logs/*.sarif | wc -l) SARIF logs and $(ls "$work"/logs/*.json | wc -l) JSON documents valid"
