#!/usr/bin/env bash
# Builds the given architectures (default: x86_64 i686) into build/<arch>; tests only for x86_64,
# the one that runs under 64-bit Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(x86_64 i686)

for arch in "${archs[@]}"; do
    tests=OFF
    [ "$arch" = x86_64 ] && tests=ON
    cmake -S "$root" -B "$root/build/$arch" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DVESTREL_TESTS=$tests \
        -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64 >/dev/null
    cmake --build "$root/build/$arch" -j2
done
