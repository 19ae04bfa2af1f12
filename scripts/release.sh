#!/usr/bin/env bash
# The release command: builds both programs and their help file and packs what a Windows user
# downloads into build/release/:
#   Vestrel-<version>-win32.zip   the shipping 32-bit build, for 32-bit and 64-bit Windows
#   Vestrel-<version>-win64.zip   the 64-bit build
# each holding a folder with Vestrel.exe and VestrelHelp.chm. scripts/test.sh tests these same files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

# The version the program shows in its title, "Vestrel v2.00", as the resource compiler spells it.
version=$(printf '#include "Version.h"\nVESTREL_VERSION_TEXT\n' |
    x86_64-w64-mingw32-gcc-posix -E -P -I"$root/res" -x c - | tr -d '" \n')
[[ $version =~ ^[0-9]+\.[0-9]+$ ]] || { echo "no version in res/Version.h: '$version'" >&2; exit 1; }

out="$root/build/release"
mkdir -p "$out"
for pair in i686:win32 x86_64:win64; do
    arch=${pair%%:*}
    name="Vestrel-$version-${pair##*:}"
    "$root/scripts/build.sh" "$arch" --target Vestrel --target VestrelHelp >/dev/null
    rm -rf "$out/$name" "$out/$name.zip"
    mkdir "$out/$name"
    cp "$root/build/$arch/release/Vestrel.exe" "$root/build/$arch/release/VestrelHelp.chm" "$out/$name/"
    (cd "$out" && cmake -E tar cf "$name.zip" --format=zip "$name")
    rm -rf "$out/$name"
    echo "$out/$name.zip"
done
