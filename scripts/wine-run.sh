#!/bin/sh
# Runs a Windows program in the project's Wine prefix (CMake's emulator for the cross build).
. "$(dirname "$0")/wine-env.sh"
tnwk_start_wineserver
exec wine "$@"
