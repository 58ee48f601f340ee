#!/bin/sh
# `make install` for a Linux user: installs into a temporary HOME, validates the desktop entries, runs
# `tarnwick` on a demo in a Wine prefix of the user's own with the stand-in compiler installed as their
# Delphi 3, checks what it says without Wine or without a prefix, and uninstalls, checking that nothing
# of the installation is left. Needs the build, Wine and a display (the test lane gives them).
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TNWK_ROOT=$ROOT
. "$ROOT/scripts/wine-env.sh"
WORK=$(mktemp -d)
USER_PREFIX="$WORK/users-wine"
cleanup() { WINEPREFIX="$USER_PREFIX" wineserver -k </dev/null >/dev/null 2>&1; rm -rf "$WORK"; }
trap cleanup EXIT INT TERM
export HOME="$WORK/home"
mkdir -p "$HOME/src"
unset PREFIX
fail=0
check() { what=$1; shift; "$@" || { echo "FAIL: $what"; fail=1; }; }
BIN="$HOME/.local/bin/tarnwick"

"$ROOT/scripts/install.sh" install || { echo "FAIL: the installation failed"; exit 1; }
check "no tarnwick command" [ -x "$BIN" ]
check "no program beside it" [ -f "$HOME/.local/lib/tarnwick/tnwk.exe" ]
check "no help pages" [ -f "$HOME/.local/lib/tarnwick/help/output.htm" ]
check "no icon" [ -s "$HOME/.local/share/icons/hicolor/48x48/apps/tarnwick.png" ]
for entry in tarnwick tarnwick-compile; do
    check "$entry.desktop is not valid" desktop-file-validate "$HOME/.local/share/applications/$entry.desktop"
done
check "the menu entry is not under Development" grep -q '^Categories=Development;' "$HOME/.local/share/applications/tarnwick.desktop"
check ".dpr files are not associated with \"Compile with Tarnwick\"" \
    grep -q 'text/x-delphi-project=.*tarnwick-compile.desktop' "$HOME/.local/share/applications/mimeinfo.cache"
check "the .dpr file type is not known" grep -q 'text/x-delphi-project:\*\.dpr' "$HOME/.local/share/mime/globs"

# No Wine, and no prefix: said, with what to do, and no prefix made on the spot.
WINE=/nonexistent/wine "$BIN" x.dpr >"$WORK/out" 2>&1
check "no Wine: not said" grep -q "Wine is not installed" "$WORK/out"
WINEPREFIX="$WORK/no-prefix" "$BIN" x.dpr >"$WORK/out" 2>&1
check "no prefix: not said" grep -q "no Wine prefix in $WORK/no-prefix" "$WORK/out"
check "a prefix was made where there was none" [ ! -e "$WORK/no-prefix" ]

# The user's own prefix, with Delphi 3 (the stand-in) installed in it as a 32-bit program would be.
export WINEPREFIX="$USER_PREFIX"
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w </dev/null >/dev/null 2>&1
DELPHI="$USER_PREFIX/drive_c/Program Files/Borland/Delphi 3"
mkdir -p "$DELPHI/Bin"
cp "$TNWK_BIN"/standin/* "$DELPHI/Bin/"
"$BIN" >"$WORK/out" 2>&1 &
wait_for() { # condition command..., up to 60 s
    i=0
    while ! "$@" && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
    "$@"
}
check "no Delphi 3: not said" wait_for grep -q "no Delphi 3 installation in $USER_PREFIX" "$WORK/out"
wineserver -k </dev/null >/dev/null 2>&1
wine reg add 'HKLM\SOFTWARE\Borland\Delphi\3.0' /v 'Delphi 3' /t REG_SZ /reg:32 /f \
    /d 'C:\Program Files\Borland\Delphi 3\Bin\delphi32.exe' </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\tnwk\Defaults' /v FirstTime /t REG_SZ /d 1 /f </dev/null >/dev/null 2>&1
cp -r "$ROOT/examples/hello" "$HOME/src/hello"
# Started from another folder, as a file manager would.
(cd "$WORK" && "$BIN" "$HOME/src/hello/hello.dpr" >"$WORK/out" 2>&1 &)
check "tarnwick did not compile the demo with the user's Delphi 3" wait_for [ -f "$HOME/src/hello/hello.exe" ]
check "the compile did not finish" wait_for sh -c "[ -f '$HOME/src/hello/output.txt' ] && [ ! -f '$HOME/src/hello/compile.bat' ]"
check "tarnwick complained with Delphi 3 there" sh -c "! grep -q 'no Delphi 3' '$WORK/out'"
wineserver -k </dev/null >/dev/null 2>&1

"$ROOT/scripts/install.sh" uninstall >/dev/null || { echo "FAIL: uninstalling failed"; fail=1; }
left=$(find "$HOME" -mindepth 1 -path "$HOME/src" -prune -o -print)
check "left after uninstalling: $left" [ -z "$left" ]
[ "$fail" -eq 0 ] || cat "$WORK/out"
exit $fail
