#!/usr/bin/env bash
# The release command: builds both programs and their help file and packs what a Windows user
# downloads into build/release/:
#   Vestrel-<version>-win32.zip   the shipping 32-bit build, for 32-bit and 64-bit Windows
#   Vestrel-<version>-win64.zip   the 64-bit build
#   SHA256SUMS                    the SHA-256 of each zip, as sha256sum -c reads them
# each zip holding a folder with Vestrel.exe and VestrelHelp.chm. Two runs at one commit give the
# same bytes: the zips' entries carry the commit's time, in a fixed order, with fixed attributes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

# The version the program shows in its title, "Vestrel v2.00", as the resource compiler spells it.
version=$(printf '#include "Version.h"\nVESTREL_VERSION_TEXT\n' |
    x86_64-w64-mingw32-gcc-posix -E -P -I"$root/res" -x c - | tr -d '" \n')
[[ $version =~ ^[0-9]+\.[0-9]+$ ]] || { echo "no version in res/Version.h: '$version'" >&2; exit 1; }
# The time the zips' entries carry; outside git, as the build's, that of the build or SOURCE_DATE_EPOCH.
commit_time=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo "${SOURCE_DATE_EPOCH:-$(date +%s)}")

out="$root/build/release"
mkdir -p "$out"
zips=()
for pair in i686:win32 x86_64:win64; do
    arch=${pair%%:*}
    name="Vestrel-$version-${pair##*:}"
    "$root/scripts/build.sh" "$arch" --target Vestrel --target VestrelHelp >/dev/null
    python3 - "$out/$name.zip" "$name" "$commit_time" "$root/build/$arch/release" <<'EOF'
import sys, time, zipfile
zip_path, top, seconds, source = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
when = time.gmtime(seconds)[:6]
def entry(name, mode):
    is_folder = name.endswith('/')
    info = zipfile.ZipInfo(name, when)
    info.create_system = 3          # Unix, so that the modes hold where they are read
    info.external_attr = mode << 16 | (0x10 if is_folder else 0)   # and the folder bit that Windows reads
    info.compress_type = zipfile.ZIP_STORED if is_folder else zipfile.ZIP_DEFLATED
    return info
with zipfile.ZipFile(zip_path, 'w') as z:
    z.writestr(entry(top + '/', 0o40755), b'')
    for name, mode in (('Vestrel.exe', 0o100755), ('VestrelHelp.chm', 0o100644)):
        with open(f'{source}/{name}', 'rb') as f:
            z.writestr(entry(f'{top}/{name}', mode), f.read(), compresslevel=9)
EOF
    zips+=("$name.zip")
    echo "$out/$name.zip"
done
(cd "$out" && sha256sum "${zips[@]}" >SHA256SUMS)
echo "$out/SHA256SUMS"
