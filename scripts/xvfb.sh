# Sourced: gives the scripts a display, a virtual X server when none is set (or when asked to).
tnwk_start_xvfb() {
    n=91
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    TNWK_XVFB_PID=$!
    export DISPLAY=":$n"
    i=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
}
tnwk_stop_xvfb() {
    [ -n "$TNWK_XVFB_PID" ] && kill "$TNWK_XVFB_PID" 2>/dev/null || true
}
