# Sourced by the scripts: the project's own Wine prefix and quiet, menu-free Wine.
TNWK_ROOT=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${TNWK_WINEPREFIX:-$TNWK_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A persistent server started with detached output: a server started by the first test would
# inherit CTest's pipe and make every test wait for it.
# Wine's own services (the desktop, the devices) are started by that first call too, detached as well.
tnwk_start_wineserver() {
    # Exits 0 only when it started a new server.
    if wineserver -p </dev/null >/dev/null 2>&1; then
        wine cmd /c exit </dev/null >/dev/null 2>&1
    fi
}
