#!/bin/sh
# scripts/copy-demos.sh, run as every prefix set-up runs it: missing demo files are copied, files still
# as copied follow the project's changes, and nothing the user changed or added is overwritten or lost.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM
SRC="$WORK/examples" DST="$WORK/Projects" MANIFEST="$WORK/manifest"
mkdir -p "$SRC/hello" "$SRC/unit"
echo "program hello;" >"$SRC/hello/hello.dpr"
echo "unit greet;" >"$SRC/hello/greet.pas"
echo "unit mathunit;" >"$SRC/unit/mathunit.pas"
copy() { "$ROOT/scripts/copy-demos.sh" "$SRC" "$DST" "$MANIFEST" || echo "FAIL: the copy failed"; }
fail=0
expect() { # file, content
    [ "$(cat "$DST/$1" 2>/dev/null)" = "$2" ] || { echo "FAIL: $1 holds '$(cat "$DST/$1" 2>/dev/null)', not '$2'"; fail=1; }
}

copy
expect hello/hello.dpr "program hello;"
# The user edits one file, adds one, deletes one and compiles; the project changes two of its demos.
echo "program hello; { mine }" >"$DST/hello/hello.dpr"
echo "unit mine;" >"$DST/hello/mine.pas"
echo "MZ" >"$DST/hello/hello.exe"
rm "$DST/unit/mathunit.pas"
echo "program hello; { new demo }" >"$SRC/hello/hello.dpr"
echo "unit greet; { new demo }" >"$SRC/hello/greet.pas"
copy
expect hello/hello.dpr "program hello; { mine }"
expect hello/greet.pas "unit greet; { new demo }"
expect hello/mine.pas "unit mine;"
expect hello/hello.exe "MZ"
expect unit/mathunit.pas "unit mathunit;"
# The user's edit stays theirs on later runs too, even when the project's demo changes again.
echo "program hello; { newer demo }" >"$SRC/hello/hello.dpr"
copy
expect hello/hello.dpr "program hello; { mine }"
exit $fail
