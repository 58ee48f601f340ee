#!/bin/sh
# Every handle is released by its owner in src/win/Handles.h: no window file deletes, releases, frees,
# unlocks or restores one by hand, where an exception between the pair would leak it.
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
found=$(grep -rnE '\b(DeleteObject|DeleteDC|ReleaseDC|RestoreDC|GlobalFree|GlobalUnlock|DestroyMenu|DestroyIcon|DestroyCursor|RegCloseKey|CloseHandle|FindClose)[[:space:]]*\(' \
    "$ROOT/src" --include='*.cpp' --include='*.h' | grep -v "^$ROOT/src/win/Handles.h:")
if [ -n "$found" ]; then
    echo "FAIL: handles released outside src/win/Handles.h:"
    echo "$found" | sed "s|^$ROOT/||"
    exit 1
fi
exit 0
