#!/bin/sh
# Runs every test (native, under Wine, end to end) through CTest on a virtual X server, in the tests'
# own Wine prefix. Arguments go to ctest (e.g. -R 'regex'). The X server and every Wine process of the
# prefix end with the script, also on Ctrl-C.
. "$(dirname "$0")/wine-env.sh"
. "$(dirname "$0")/xvfb.sh"
trap 'tnwk_stop_wineserver; tnwk_stop_xvfb' EXIT
trap 'exit 130' INT TERM
"$TNWK_ROOT/scripts/prepare-prefix.sh" || exit 1
cd "$TNWK_ROOT/build" || exit 1
printf 'subdirs("native" "%s")\n' "$(basename "$TNWK_WIN_BUILD")" > CTestTestfile.cmake
tnwk_start_xvfb || exit 1
tnwk_stop_wineserver
tnwk_start_wineserver
ctest --output-on-failure -j2 --timeout 600 "$@"
