#!/bin/sh
# Copies the demo projects from SOURCE into TARGET without losing anything of the user's: a file that
# is missing is copied; a file still as this script last copied it (its checksum is in the MANIFEST)
# is brought up to date; a file the user changed, and everything the user added, is left alone.
# Usage: copy-demos.sh SOURCE TARGET MANIFEST
set -eu
SOURCE=$1 TARGET=$2 MANIFEST=$3
touch "$MANIFEST"
NEW_MANIFEST="$MANIFEST.new"
: >"$NEW_MANIFEST"
cd "$SOURCE"
find . -type f | sort | while IFS= read -r file; do
    name=${file#./}
    target="$TARGET/$name"
    wanted=$(sha256sum <"$file" | cut -d' ' -f1)
    copied=$(awk -v n="$name" '{ sum = $1; sub(/^[^ ]+ +/, ""); if ($0 == n) found = sum } END { print found }' "$MANIFEST")
    if [ -e "$target" ]; then
        have=$(sha256sum <"$target" | cut -d' ' -f1)
        if [ "$have" != "$wanted" ] && [ "$have" != "$copied" ]; then
            # The user's version stays; what was copied before is remembered, so that it stays theirs.
            [ -z "$copied" ] || echo "$copied  $name" >>"$NEW_MANIFEST"
            continue
        fi
    fi
    if [ ! -e "$target" ] || [ "$have" != "$wanted" ]; then
        mkdir -p "$(dirname "$target")"
        cp "$file" "$target"
    fi
    echo "$wanted  $name" >>"$NEW_MANIFEST"
done
mv "$NEW_MANIFEST" "$MANIFEST"
