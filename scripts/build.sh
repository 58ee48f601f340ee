#!/bin/sh
# Builds the platform-free rules natively and the Windows program with MinGW-w64. The shipped program
# is always the 32-bit build (build/bin). Where this machine cannot run 32-bit code, the program and its
# tests are built for 64-bit Windows too (build/bin64, build/win64), and those are what the tests run.
set -e
. "$(dirname "$0")/wine-env.sh"
cd "$TNWK_ROOT"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$TNWK_ROOT/cmake/mingw-i686.cmake" >/dev/null
if [ "$TNWK_WINE_BITS" = 32 ]; then
    cmake --build build/win
else
    cmake --build build/win --target tnwk dcc32 dist
    cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release -DTNWK_BIN_DIR="$TNWK_BIN" \
        -DCMAKE_TOOLCHAIN_FILE="$TNWK_ROOT/cmake/mingw-x86_64.cmake" >/dev/null
    cmake --build build/win64
fi
