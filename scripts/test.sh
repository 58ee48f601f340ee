#!/bin/sh
# Runs every test (native, under Wine, end to end) through CTest on a virtual X server, in the tests'
# own Wine prefix. Arguments go to ctest (e.g. -R 'regex'). The X server and every Wine process of the
# prefix end with the script, also on Ctrl-C. A key that the tests leave below HKCU\Software fails the run.
. "$(dirname "$0")/wine-env.sh"
. "$(dirname "$0")/xvfb.sh"
trap 'tnwk_stop_wineserver; tnwk_stop_xvfb; rm -f "$KEYS_BEFORE"' EXIT
trap 'exit 130' INT TERM
"$TNWK_ROOT/scripts/prepare-prefix.sh" || exit 1
cd "$TNWK_ROOT/build" || exit 1
printf 'subdirs("native" "%s")\n' "$(basename "$TNWK_WIN_BUILD")" > CTestTestfile.cmake
tnwk_start_xvfb || exit 1
tnwk_stop_wineserver
tnwk_start_wineserver

software_keys() {
    wine reg query 'HKCU\Software' </dev/null 2>/dev/null | tr -d '\r' | grep -i '^HKEY_CURRENT_USER\\Software\\' | sort
}
KEYS_BEFORE=$(mktemp)
software_keys > "$KEYS_BEFORE"
ctest --output-on-failure -j2 --timeout 600 "$@"
rc=$?
left=$(software_keys | grep -vxF -f "$KEYS_BEFORE")
if [ -n "$left" ]; then
    echo "the tests left these registry keys behind:" >&2
    echo "$left" >&2
    rc=1
fi
exit $rc
