#!/bin/sh
# Starts Tarnwick under Wine with the stand-in compiler. On a display: the program, to use by hand.
# Without one: on a virtual X server, compiles the demo project, saves a screenshot and prints its path.
# It uses its own Wine prefix, not the tests' one.
export TNWK_USE=run
. "$(dirname "$0")/wine-env.sh"
. "$(dirname "$0")/xvfb.sh"
"$TNWK_ROOT/scripts/prepare-prefix.sh" || exit 1
# The prefix set-up may have left a Wine server (and its desktop) running without this run's display.
wineserver -k </dev/null >/dev/null 2>&1 || true
wineserver -w </dev/null >/dev/null 2>&1 || true
EXE="$TNWK_BIN/tnwk.exe"
DEMO='C:\Projects\hello\hello.dpr'

if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    tnwk_start_wineserver
    cd "$WINEPREFIX/drive_c/Projects" && exec wine "$EXE" "$DEMO"
fi

echo "no display: running the demo on a virtual X server"
trap 'tnwk_stop_wineserver; tnwk_stop_xvfb' EXIT
trap 'exit 130' INT TERM
tnwk_start_xvfb || exit 1
tnwk_start_wineserver
# The demo skips the first-start dialogs, which wait for the user.
wine reg add 'HKCU\Software\tnwk\Defaults' /v FirstTime /t REG_SZ /d 1 /f </dev/null >/dev/null 2>&1
PROJECTS="$WINEPREFIX/drive_c/Projects/hello"
# The demo folder is the user's too: an output.txt of an earlier run stays, so this run waits for a newer one.
STAMP="$TNWK_ROOT/build/run-started"
touch "$STAMP"
wine "$EXE" "$DEMO" </dev/null >/dev/null 2>&1 &
i=0
while [ $i -lt 300 ] && { [ -z "$(find "$PROJECTS/output.txt" -newer "$STAMP" 2>/dev/null)" ] ||
    [ -f "$PROJECTS/compile.bat" ]; }; do
    sleep 0.1; i=$((i + 1))
done
sleep 2
SHOT="$TNWK_ROOT/build/tarnwick-demo.png"
import -window root "$SHOT"
echo "compiler output:"
cat "$PROJECTS/output.txt" 2>/dev/null | tr -d '\r'
echo "screenshot: $SHOT"
