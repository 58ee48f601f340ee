#!/bin/sh
# scripts/prepare-prefix.sh named a folder it did not make (a user's own Wine prefix), or a file: it
# must refuse with a message and leave the folder or file as it was.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM
mkdir -p "$WORK/users-wine/drive_c"
echo "a user's settings" > "$WORK/users-wine/user.reg"

TNWK_WINEPREFIX="$WORK/users-wine" "$ROOT/scripts/prepare-prefix.sh" >"$WORK/out" 2>&1
rc=$?
fail=0
[ "$rc" -ne 0 ] || { echo "FAIL: the script succeeded on a folder it did not make"; fail=1; }
grep -q "was not made by this script" "$WORK/out" || { echo "FAIL: no clear message"; fail=1; }
[ "$(cat "$WORK/users-wine/user.reg" 2>/dev/null)" = "a user's settings" ] ||
    { echo "FAIL: the user's file is gone or changed"; fail=1; }
[ -d "$WORK/users-wine/drive_c" ] || { echo "FAIL: the user's drive_c is gone"; fail=1; }
[ ! -e "$WORK/users-wine/.tnwk-created" ] || { echo "FAIL: the script marked the folder as its own"; fail=1; }

echo "a user's file" > "$WORK/a-file"
TNWK_WINEPREFIX="$WORK/a-file" "$ROOT/scripts/prepare-prefix.sh" >"$WORK/out-file" 2>&1 &&
    { echo "FAIL: the script succeeded on a file"; fail=1; }
grep -q "is not a folder" "$WORK/out-file" || { echo "FAIL: no clear message for a file"; fail=1; }
[ "$(cat "$WORK/a-file" 2>/dev/null)" = "a user's file" ] || { echo "FAIL: the user's file is gone or changed"; fail=1; }
cat "$WORK/out" "$WORK/out-file"
exit $fail
