# Sourced by the scripts: the project's own Wine prefix and quiet, menu-free Wine.
# Tests (and benchmarks) and `make run` use separate prefixes, so that what a user does in the
# program never meets a test, and the other way round. A script sets TNWK_USE=run before sourcing
# this file for the prefix of `make run`; TNWK_WINEPREFIX names another prefix for either.
# A script outside scripts/ (a test) names the root itself.
TNWK_ROOT=${TNWK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
# The shipped program is 32-bit. Some machines (virtual machines whose host runs 64-bit user code
# only) cannot execute 32-bit Linux code, so 32-bit Wine cannot start there, and on others the 32-bit
# Wine may not be installable: the program and its tests are then also built for 64-bit Windows and
# run under 64-bit Wine in a 64-bit prefix.
if [ -z "$TNWK_WINE_BITS" ]; then
    if [ -e /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        TNWK_WINE_BITS=32
    else
        TNWK_WINE_BITS=64
    fi
fi
export TNWK_WINE_BITS
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$TNWK_WINE_BITS" = 32 ]; then
    export WINEARCH=win32
    TNWK_WIN_BUILD="$TNWK_ROOT/build/win"
    TNWK_BIN="$TNWK_ROOT/build/bin"
    export WINEPREFIX="${TNWK_WINEPREFIX:-$TNWK_ROOT/build/wineprefix-${TNWK_USE:-test}}"
else
    export WINEARCH=win64
    TNWK_WIN_BUILD="$TNWK_ROOT/build/win64"
    TNWK_BIN="$TNWK_ROOT/build/bin64"
    export WINEPREFIX="${TNWK_WINEPREFIX:-$TNWK_ROOT/build/wineprefix64-${TNWK_USE:-test}}"
    # `wine` and `wineserver` of the scripts and of CTest are the 64-bit ones.
    export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    TNWK_WINE_SHIM="$TNWK_ROOT/build/wine64-bin"
    if [ ! -x "$TNWK_WINE_SHIM/wine-stable" ]; then
        mkdir -p "$TNWK_WINE_SHIM"
        for tool in wine wine-stable; do
            printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$TNWK_WINE_SHIM/$tool"
        done
        printf '#!/bin/sh\nexec /usr/lib/wine/wineserver64 "$@"\n' > "$TNWK_WINE_SHIM/wineserver"
        chmod +x "$TNWK_WINE_SHIM"/*
    fi
    case ":$PATH:" in *":$TNWK_WINE_SHIM:"*) ;; *) export PATH="$TNWK_WINE_SHIM:$PATH" ;; esac
fi
# How long the server outlives the last Wine process (seconds): long enough to carry one test program
# over to the next, short enough that an interrupted run leaves no server behind for long.
TNWK_SERVER_LINGER=${TNWK_SERVER_LINGER:-30}
# A server started with detached output: a server started by the first test would inherit CTest's pipe
# and make every test wait for it. Wine's own services (the desktop, the devices) are started by that
# first call too, detached as well.
tnwk_start_wineserver() {
    # Exits 0 only when it started a new server.
    if wineserver "-p$TNWK_SERVER_LINGER" </dev/null >/dev/null 2>&1; then
        wine cmd /c exit </dev/null >/dev/null 2>&1
    fi
}
# Stops this prefix's server and every Wine process in it, and waits for their end.
tnwk_stop_wineserver() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
}
