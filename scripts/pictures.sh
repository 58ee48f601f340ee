#!/bin/sh
# Rebuilds the program's bitmaps, icons and cursors in res/pictures from their text sources there.
# Each picture.txt becomes picture.bmp, picture.ico or picture.cur, as its "format" line says.
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -o "$WORK/picgen" "$ROOT/tools/picgen/picgen.cpp"
for source in "$ROOT"/res/pictures/*.txt; do
    format=$(sed -n 's/^format[[:space:]]\{1,\}\([a-z0-9]*\).*/\1/p' "$source" | head -n 1)
    case "$format" in
    bmp4 | bmp24) ext=bmp ;;
    ico | cur) ext=$format ;;
    *) echo "$source: no format line" >&2; exit 1 ;;
    esac
    "$WORK/picgen" "$source" "${source%.txt}.$ext"
done
