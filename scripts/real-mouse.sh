#!/bin/sh
# Runs a test program that moves the real pointer: the program (under Wine) writes xdotool arguments
# into the file "request" of a folder it is told through TNWK_MOUSE_DIR; this script carries them out
# on the X display and removes the file to say they are done.
. "$(dirname "$0")/wine-env.sh"
TNWK_MOUSE_DIR=$(mktemp -d)
export TNWK_MOUSE_DIR
tnwk_start_wineserver
wine "$@" &
pid=$!
while kill -0 "$pid" 2>/dev/null; do
    if [ -f "$TNWK_MOUSE_DIR/request" ]; then
        # shellcheck disable=SC2046 # the request is a list of arguments
        xdotool $(cat "$TNWK_MOUSE_DIR/request") >/dev/null 2>&1
        sleep 0.05
        rm -f "$TNWK_MOUSE_DIR/request"
    fi
    sleep 0.01
done
wait "$pid"
rc=$?
rm -rf "$TNWK_MOUSE_DIR"
exit $rc
