#!/bin/sh
# Prepares the project's Wine prefix: a Windows (32-bit, or 64-bit where 32-bit code cannot run) with a virtual desktop, Wine's own fonts,
# the stand-in compiler installed as if it were Delphi 3, and the demo projects on drive C:.
set -e
. "$(dirname "$0")/wine-env.sh"
DRIVE_C="$WINEPREFIX/drive_c"
DELPHI_BIN="$DRIVE_C/Program Files/Borland/Delphi 3/Bin"

# A prefix this script created carries ".tnwk-created" from its first moment and ".tnwk-ready" once
# complete. Only a half-made prefix of its own is removed and made again; any other non-empty folder
# (a user's ~/.wine, say) is never touched, nor is a file of that name.
if [ -e "$WINEPREFIX" ] && [ ! -d "$WINEPREFIX" ]; then
    echo "$WINEPREFIX is not a folder: refusing to use or delete it." >&2
    echo "Name a new or empty folder in TNWK_WINEPREFIX, or leave it unset for the project's own prefix." >&2
    exit 1
fi
# Test lanes sharing one prefix (TNWK_WINEPREFIX) prepare it one after the other. The lock is on the
# folder itself, so nothing is written into a folder that turns out not to be ours, and the Wine
# server this run starts does not inherit it.
if [ -z "${TNWK_PREFIX_LOCKED:-}" ]; then
    mkdir -p "$WINEPREFIX"
    TNWK_PREFIX_LOCKED=1 exec flock -o "$WINEPREFIX" "$0" "$@"
fi
if [ ! -f "$WINEPREFIX/.tnwk-ready" ] && [ -n "$(ls -A "$WINEPREFIX")" ] &&
    [ ! -f "$WINEPREFIX/.tnwk-created" ]; then
    echo "$WINEPREFIX exists and was not made by this script: refusing to change or delete it." >&2
    echo "Name a new or empty folder in TNWK_WINEPREFIX, or leave it unset for the project's own prefix." >&2
    exit 1
fi
if ! wine --version >/dev/null 2>&1; then
    echo "Wine does not start here: $(wine --version 2>&1 | tail -n 1)" >&2
    echo "(no Wine test can run; scripts/deps.sh installs Wine)" >&2
    exit 1
fi

if [ ! -f "$WINEPREFIX/.tnwk-ready" ]; then
    # Only what this script made itself goes: a half-made prefix of its own, or an empty folder.
    find "$WINEPREFIX" -mindepth 1 -maxdepth 1 -exec rm -rf {} +
    touch "$WINEPREFIX/.tnwk-created"
    echo "creating the Wine prefix $WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tnwk-ready"
fi
# Wine's own fonts (caption-button glyphs, "MS Sans Serif"), and Liberation Mono, which stands in for
# "Courier New" (same metrics, fixed pitch) through the font replacement below.
mkdir -p "$DRIVE_C/windows/Fonts"
cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$DRIVE_C/windows/Fonts/" 2>/dev/null || true
cp /usr/share/fonts/truetype/liberation/LiberationMono-*.ttf "$DRIVE_C/windows/Fonts/"
tnwk_start_wineserver

mkdir -p "$DELPHI_BIN"
cp "$TNWK_BIN"/standin/* "$DELPHI_BIN/"
"$(dirname "$0")/copy-demos.sh" "$TNWK_ROOT/examples" "$DRIVE_C/Projects" "$WINEPREFIX/.tnwk-demos"

REG="$WINEPREFIX/tnwk-setup.reg"
cat > "$REG" <<'REGEOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Borland\Delphi\3.0\Library]
"SearchPath"="$(DELPHI)\\Lib;$(DELPHI)\\Bin;$(DELPHI)\\Imports"
"UnitAliases"="WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE"
REGEOF
wine regedit /S "$REG" </dev/null >/dev/null 2>&1
# Delphi 3 is a 32-bit program: its entry lives in the 32-bit programs' view of the registry.
wine reg add 'HKLM\SOFTWARE\Borland\Delphi\3.0' /v 'Delphi 3' /t REG_SZ \
    /d 'C:\Program Files\Borland\Delphi 3\Bin\delphi32.exe' /f /reg:32 </dev/null >/dev/null 2>&1
"$(dirname "$0")/install-printer.sh"
# No server of this set-up outlives it: one started here has no display (or another one) for the
# desktop, and the run that follows starts its own with its display.
tnwk_stop_wineserver
