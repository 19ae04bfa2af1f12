#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, or says which are missing. 32-bit
# Wine comes beside 64-bit Wine: the shipping build is 32-bit.
set -euo pipefail

packages=(cmake ninja-build python3 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 googletest fp-utils
          wine64 wine32:i386 xvfb x11-apps x11-utils imagemagick)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

i386=0
dpkg --print-foreign-architectures | grep -qx i386 || i386=1
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. As root, run:" >&2
    [ $i386 = 1 ] && echo "  dpkg --add-architecture i386" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
[ $i386 = 1 ] && dpkg --add-architecture i386
apt-get update -q
apt-get install -y -q "${missing[@]}"
