#!/bin/sh
# Runs every benchmark under Wine on a virtual X server and prints its results. The benchmarks use the
# tests' Wine prefix; the X server and the prefix's Wine processes end with the script, also on Ctrl-C.
. "$(dirname "$0")/wine-env.sh"
. "$(dirname "$0")/xvfb.sh"
trap 'tnwk_stop_wineserver; tnwk_stop_xvfb' EXIT
trap 'exit 130' INT TERM
cmake --build "$TNWK_WIN_BUILD" --target benches || exit 1
"$TNWK_ROOT/scripts/prepare-prefix.sh" || exit 1
# The prefix set-up may have left a Wine server (and its desktop) running without the benchmarks'
# display: then no window could be made.
tnwk_stop_wineserver
tnwk_start_xvfb || exit 1
tnwk_start_wineserver
rc=0
for bench in "$TNWK_WIN_BUILD"/bench/*_bench.exe; do
    wine "$bench" || rc=1
done
exit $rc
