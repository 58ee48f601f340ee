#!/bin/sh
# Runs every test (native, under Wine, end to end) through CTest on virtual X servers. Arguments go to
# ctest (e.g. -R 'regex'). Lanes run side by side, each with an X server, a Wine prefix and a Wine
# server of its own, so that no lane sees another's windows, registry or printer: one lane runs all
# tests but the end-to-end ones (in build/wineprefix*-test), and TNWK_E2E_LANES lanes (default 2) share
# the end-to-end tests (label e2e), which drive the program's windows one at a time within a lane (in
# build/wineprefix*-e2e<n>). The X servers and every Wine process of all prefixes end with the script,
# also on Ctrl-C. A key that the tests leave below HKCU\Software fails the run.
. "$(dirname "$0")/wine-env.sh"
. "$(dirname "$0")/xvfb.sh"
# A run narrowed by arguments (-R ...) takes one lane: CTest does not share a short list out reliably.
if [ $# -gt 0 ]; then E2E_LANES=${TNWK_E2E_LANES:-1}; else E2E_LANES=${TNWK_E2E_LANES:-2}; fi
# A prefix named by TNWK_WINEPREFIX is one prefix for every lane: one end-to-end lane then runs after
# the others, not beside them, so that no two lanes share its Wine server and desktop at once.
SHARED_PREFIX=""
if [ -n "${TNWK_WINEPREFIX:-}" ]; then E2E_LANES=1; SHARED_PREFIX=yes; fi
LANES=$(seq 1 "$E2E_LANES")
LANE_PIDS=""
LOGS="$TNWK_ROOT/build/Testing"
mkdir -p "$LOGS"

in_lane() { # runs a command with lane $1's prefix
    (TNWK_USE=e2e$1; . "$TNWK_ROOT/scripts/wine-env.sh"; shift; "$@")
}
cleanup() {
    for pid in $LANE_PIDS; do kill "$pid" 2>/dev/null; done
    for lane in $LANES; do in_lane "$lane" tnwk_stop_wineserver; done
    tnwk_stop_wineserver
    tnwk_stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Every prefix is made (or brought up to date) at once.
for lane in $LANES; do
    TNWK_USE=e2e$lane "$TNWK_ROOT/scripts/prepare-prefix.sh" > "$LOGS/prepare-e2e$lane.log" 2>&1 &
    LANE_PIDS="$LANE_PIDS $!"
done
"$TNWK_ROOT/scripts/prepare-prefix.sh" || exit 1
for pid in $LANE_PIDS; do
    wait "$pid" || { cat "$LOGS"/prepare-e2e*.log >&2; exit 1; }
done
LANE_PIDS=""

software_keys() {
    wine reg query 'HKCU\Software' </dev/null 2>/dev/null | tr -d '\r' | grep -i '^HKEY_CURRENT_USER\\Software\\' | sort
}
cd "$TNWK_ROOT/build" || exit 1
printf 'subdirs("native" "%s")\n' "$(basename "$TNWK_WIN_BUILD")" > CTestTestfile.cmake
software_keys > "$LOGS/keys-before"
start_e2e_lanes() {
    for lane in $LANES; do
        # Each lane runs from a folder of its own, so that the CTest runs keep separate logs; the lanes
        # take every E2E_LANES-th test in turn.
        mkdir -p "e2e-lane$lane"
        printf 'subdirs("%s")\n' "$TNWK_WIN_BUILD" > "e2e-lane$lane/CTestTestfile.cmake"
        (
            export TNWK_USE=e2e$lane
            . "$TNWK_ROOT/scripts/wine-env.sh"
            trap tnwk_stop_xvfb EXIT
            trap 'exit 143' INT TERM
            tnwk_start_xvfb || exit 1
            tnwk_start_wineserver
            cd "e2e-lane$lane" && ctest --output-on-failure -L e2e -I "$lane,,$E2E_LANES" --timeout 600 "$@"
        ) > "$LOGS/e2e-lane$lane.log" 2>&1 &
        LANE_PIDS="$LANE_PIDS $!"
    done
}
for lane in $LANES; do
    in_lane "$lane" software_keys > "$LOGS/keys-before-e2e$lane"
done
[ -n "$SHARED_PREFIX" ] || start_e2e_lanes "$@"

tnwk_start_xvfb || exit 1
tnwk_start_wineserver
ctest --output-on-failure -j2 -LE e2e --timeout 600 "$@"
rc=$?
if [ -n "$SHARED_PREFIX" ]; then
    tnwk_stop_wineserver
    start_e2e_lanes "$@"
fi
for lane in $LANES; do
    pid=$(echo $LANE_PIDS | cut -d' ' -f"$lane")
    wait "$pid" || rc=1
    echo "---- end-to-end tests, lane $lane (log: $LOGS/e2e-lane$lane.log)"
    cat "$LOGS/e2e-lane$lane.log"
done
LANE_PIDS=""

left=$(software_keys | grep -vxF -f "$LOGS/keys-before")
for lane in $LANES; do
    left="$left
$(in_lane "$lane" software_keys | grep -vxF -f "$LOGS/keys-before-e2e$lane")"
done
left=$(echo "$left" | sed '/^$/d')
if [ -n "$left" ]; then
    echo "the tests left these registry keys behind:" >&2
    echo "$left" >&2
    rc=1
fi
exit $rc
