# SPDX-License-Identifier: MIT
# A private Wine prefix for running the Windows programs, sourced by build.sh and the Windows checks.
#   start_wine PREFIX     make or reuse the prefix, keep one Wine server running for it, export WINEPREFIX
#   give_wine_times_new_roman   make "Times New Roman" a family in the prefix, from Liberation Serif
# and, for the Windows checks, start_scratch_wine, fail and check_worked_example.
# No crash dialogs, no Mono or Gecko prompts, nothing added to a desktop menu. The caller stops the server
# (stop_wine).

start_wine() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEARCH=win64
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/.qxr-ready" ]; then
        wine wineboot --init >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        wineserver -w # the registry is written when the server ends
        touch "$WINEPREFIX/.qxr-ready"
    fi
    wineserver -p 2>/dev/null || true # one already running for the prefix, left by a run that was cut off, serves
    # Wine's own services start with the first program and live on with the server: started here, with no
    # output of the caller's to hold open, so a pipe from a later program ends when that program does.
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wine() {
    wineserver -k 2>/dev/null || true
}

# For a check: a scratch folder (scratch), a private display and a fresh prefix in the folder, all stopped
# and removed when the check ends.
start_scratch_wine() { # NAME
    scratch=$(mktemp -d "/tmp/qxr-fanuc-$1.XXXXXX")
    xvfb=
    trap 'stop_wine; [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true; rm -rf "$scratch"' EXIT
    start_private_xvfb 1280x1024
    start_wine "$scratch/wine"
}

# For a check: a failure is printed and remembered in failed, and the check goes on to the next.
failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

# For a check: the command line in a folder must print the worked example byte for byte.
check_worked_example() { # FOLDER
    local expected actual
    expected='mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.
mb.Write(6,4,2,1000);  // Read Value From QXR Register 12, and Store in Fanuc General Register [R] 1.'
    actual=$(cd "$1" && wine ./qxr-fanuc-cli.exe 12 1 1 R </dev/null 2>&1)
    [ "$actual" == "$expected" ] || fail "the command line's worked example in $1 gave: $actual"
}

# Windows has Times New Roman and Wine has not: the window's captions would fall back to another face, and
# its layout tests would mean nothing. In this test prefix only, copies of Liberation Serif (metrically the
# same face) renamed to that family are installed and registered, so that both Qt's DirectWrite font
# database and GDI find it; nothing of it ships.
give_wine_times_new_roman() {
    local fonts=/usr/share/fonts/truetype/liberation style file name
    [ -f "$WINEPREFIX/.qxr-times-renamed" ] && return 0
    ensure_packages python3-fonttools >&2
    for style in Regular Bold Italic BoldItalic; do
        file=$fonts/LiberationSerif-$style.ttf
        [ -f "$file" ] || continue
        python3 - "$file" "$WINEPREFIX/drive_c/windows/Fonts/qxr-times-$style.ttf" <<'PY'
import sys
from fontTools.ttLib import TTFont
font = TTFont(sys.argv[1])
for record in font["name"].names:
    text = record.toUnicode().replace("Liberation Serif", "Times New Roman")
    record.string = text.replace("LiberationSerif", "TimesNewRoman")
font.save(sys.argv[2])
PY
        name="Times New Roman ${style/BoldItalic/Bold Italic}"
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
            /v "${name% Regular} (TrueType)" /t REG_SZ /d "qxr-times-$style.ttf" /f >/dev/null 2>&1
    done
    touch "$WINEPREFIX/.qxr-times-renamed"
}
