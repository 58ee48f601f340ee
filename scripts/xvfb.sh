# Sourced: gives the scripts a display, a virtual X server when none is set (or when asked to).
# Xvfb picks a free display itself and writes its number once it accepts connections (-displayfd).
tnwk_start_xvfb() {
    TNWK_XVFB_FD_FILE=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$TNWK_XVFB_FD_FILE" </dev/null >/dev/null 2>&1 &
    TNWK_XVFB_PID=$!
    i=0
    while [ ! -s "$TNWK_XVFB_FD_FILE" ] && [ $i -lt 200 ] && kill -0 "$TNWK_XVFB_PID" 2>/dev/null; do
        sleep 0.05; i=$((i + 1))
    done
    n=$(head -n 1 "$TNWK_XVFB_FD_FILE")
    rm -f "$TNWK_XVFB_FD_FILE"
    if [ -z "$n" ] || ! kill -0 "$TNWK_XVFB_PID" 2>/dev/null; then
        echo "the virtual X server did not start" >&2
        tnwk_stop_xvfb
        return 1
    fi
    export DISPLAY=":$n"
}
tnwk_stop_xvfb() {
    if [ -n "$TNWK_XVFB_PID" ]; then
        kill "$TNWK_XVFB_PID" 2>/dev/null && wait "$TNWK_XVFB_PID" 2>/dev/null
        TNWK_XVFB_PID=""
    fi
    return 0
}
