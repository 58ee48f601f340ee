#!/bin/sh
# Runs every test (native, under Wine, end to end) through CTest on a virtual X server.
. "$(dirname "$0")/wine-env.sh"
. "$(dirname "$0")/xvfb.sh"
cd "$TNWK_ROOT/build"
printf 'subdirs("native" "%s")\n' "$(basename "$TNWK_WIN_BUILD")" > CTestTestfile.cmake
tnwk_start_xvfb
wineserver -k </dev/null >/dev/null 2>&1 || true
wineserver -w
tnwk_start_wineserver
ctest --output-on-failure -j2 --timeout 600 "$@"
rc=$?
wineserver -k </dev/null >/dev/null 2>&1 || true
tnwk_stop_xvfb
exit $rc
