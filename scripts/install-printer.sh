#!/bin/sh
# Installs the project's PostScript printer "Tarnwick PostScript" (Wine's PostScript driver with
# tools/printer/tarnwick.ppd, port LPT1:) into the Wine prefix as the default printer, and sends what
# it prints to the Linux file given (default build/print/tarnwick-print.ps). Each job replaces the file.
set -e
. "$(dirname "$0")/wine-env.sh"
OUT="${1:-$TNWK_ROOT/build/print/tarnwick-print.ps}"
mkdir -p "$(dirname "$OUT")"
OUT=$(cd "$(dirname "$OUT")" && pwd)/$(basename "$OUT")
cp "$TNWK_ROOT/tools/printer/tarnwick.ppd" "$WINEPREFIX/drive_c/tarnwick.ppd"
wine "$TNWK_BIN/tools/addprinter.exe" install "Tarnwick PostScript" 'C:\tarnwick.ppd' </dev/null
wine reg add 'HKCU\Software\Wine\Printing\Spooler' /v 'LPT1:' /t REG_SZ /d "$OUT" /f </dev/null >/dev/null 2>&1
