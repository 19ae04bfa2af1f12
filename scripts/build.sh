#!/usr/bin/env bash
# Builds into build/<arch> with CMake, Ninja and the MinGW-w64 -posix compilers.
#   scripts/build.sh [x86_64] [i686] [--target NAME]...
# With no architecture both are built; with no target everything, tests included. CTest runs each
# architecture's tests under the Wine loader of that architecture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
archs=()
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
        --target) targets+=(--target "$2"); shift 2 ;;
        x86_64|i686) archs+=("$1"); shift ;;
        *) echo "usage: $0 [x86_64] [i686] [--target NAME]..." >&2; exit 2 ;;
    esac
done
[ ${#archs[@]} -gt 0 ] || archs=(x86_64 i686)

for arch in "${archs[@]}"; do
    loader=/usr/lib/wine/wine64
    [ "$arch" = i686 ] && loader=/usr/lib/wine/wine
    cmake -S "$root" -B "$root/build/$arch" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DVESTREL_TESTS=ON \
        -DCMAKE_CROSSCOMPILING_EMULATOR=$loader >/dev/null
    cmake --build "$root/build/$arch" -j2 "${targets[@]}"
done
