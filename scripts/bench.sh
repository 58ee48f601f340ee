#!/bin/sh
# Runs every benchmark under Wine on a virtual X server and prints its results.
. "$(dirname "$0")/wine-env.sh"
. "$(dirname "$0")/xvfb.sh"
tnwk_start_xvfb
tnwk_start_wineserver
rc=0
for bench in "$TNWK_WIN_BUILD"/bench/*_bench.exe; do
    wine "$bench" || rc=1
done
wineserver -k </dev/null >/dev/null 2>&1 || true
tnwk_stop_xvfb
exit $rc
