#!/bin/sh
# Builds the fuzz targets with clang's libFuzzer into build/fuzz and runs each for FUZZ_SECONDS
# seconds (60 by default); FUZZ_TARGETS names the ones to run (all by default: lineprinter problems
# props). Findings stay in build/fuzz (crash-*, corpus/).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/build/fuzz"
SECONDS_TO_RUN="${FUZZ_SECONDS:-60}"
TARGETS="${FUZZ_TARGETS:-lineprinter problems props}"
SOURCES="base/Classes base/Component base/SysUtils base/Types base/TypInfo_core prefs/PropText_core \
base/FontProps_core prefs/PropsStorage_core prefs/SettingsStore_core prefs/PlacementRules_core prefs/Placemnt_core"
# The printer input lines' target: the line printer's rules over a surface of its own.
PRINT_SOURCES="base/Classes base/Component base/SysUtils base/Types output/LinePrnt_core output/LinePrntText_core"
# The compiler output's problem lines.
PROBLEM_SOURCES="output/CompilerProblems_core"

# clang has no Windows-1252 execution character set: the sources are converted to Windows-1252 first,
# so the string literals hold the same bytes as in the program (clang keeps such bytes as they are).
rm -rf "$OUT/src"
mkdir -p "$OUT/src/base" "$OUT/src/prefs" "$OUT/src/output" "$OUT/corpus" "$OUT/print-corpus" "$OUT/problem-corpus"
for header in "$ROOT"/src/base/*.h; do
    iconv -f UTF-8 -t CP1252 "$header" > "$OUT/src/base/$(basename "$header")"
done
units=""
for unit in $SOURCES; do
    for ext in h cpp; do
        [ -f "$ROOT/src/$unit.$ext" ] && iconv -f UTF-8 -t CP1252 "$ROOT/src/$unit.$ext" > "$OUT/src/$unit.$ext"
    done
    units="$units $OUT/src/$unit.cpp"
done
iconv -f UTF-8 -t CP1252 "$ROOT/fuzz/props_fuzz.cpp" > "$OUT/src/props_fuzz.cpp"
print_units=""
for unit in $PRINT_SOURCES; do
    for ext in h cpp; do
        [ -f "$ROOT/src/$unit.$ext" ] && iconv -f UTF-8 -t CP1252 "$ROOT/src/$unit.$ext" > "$OUT/src/$unit.$ext"
    done
    print_units="$print_units $OUT/src/$unit.cpp"
done
iconv -f UTF-8 -t CP1252 "$ROOT/src/output/LinePrnt_core.h" > "$OUT/src/output/LinePrnt_core.h"
iconv -f UTF-8 -t CP1252 "$ROOT/fuzz/lineprinter_fuzz.cpp" > "$OUT/src/lineprinter_fuzz.cpp"
problem_units=""
for unit in $PROBLEM_SOURCES; do
    for ext in h cpp; do
        iconv -f UTF-8 -t CP1252 "$ROOT/src/$unit.$ext" > "$OUT/src/$unit.$ext"
    done
    problem_units="$problem_units $OUT/src/$unit.cpp"
done
iconv -f UTF-8 -t CP1252 "$ROOT/fuzz/problems_fuzz.cpp" > "$OUT/src/problems_fuzz.cpp"

# shellcheck disable=SC2086 # the unit list is split on purpose
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -finput-charset=UTF-8 -Wno-invalid-source-encoding -I"$OUT/src" \
    "$OUT/src/props_fuzz.cpp" $units -o "$OUT/props_fuzz"

# shellcheck disable=SC2086 # the unit list is split on purpose
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -finput-charset=UTF-8 -Wno-invalid-source-encoding -I"$OUT/src" \
    "$OUT/src/lineprinter_fuzz.cpp" $print_units -o "$OUT/lineprinter_fuzz"

# shellcheck disable=SC2086 # the unit list is split on purpose
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -finput-charset=UTF-8 -Wno-invalid-source-encoding -I"$OUT/src" \
    "$OUT/src/problems_fuzz.cpp" $problem_units -o "$OUT/problems_fuzz"

cd "$OUT"
for target in $TARGETS; do
    case "$target" in
    lineprinter)
        ./lineprinter_fuzz -max_total_time="$SECONDS_TO_RUN" -max_len=1024 -timeout=20 -print_final_stats=1 \
            print-corpus ;;
    problems)
        ./problems_fuzz -max_total_time="$SECONDS_TO_RUN" -max_len=4096 -timeout=20 -print_final_stats=1 \
            problem-corpus "$ROOT/fuzz/problem-seeds" ;;
    props)
        ./props_fuzz -max_total_time="$SECONDS_TO_RUN" -max_len=4096 -timeout=20 -print_final_stats=1 \
            corpus "$ROOT/fuzz/seeds" ;;
    *)
        echo "fuzz.sh: no target named $target" >&2
        exit 2 ;;
    esac
done
