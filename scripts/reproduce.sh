#!/usr/bin/env bash
# Builds the release of the commit checked out here twice, each time with the release command in a
# fresh clone of its own under build/reproduce/, and compares the two byte for byte: one commit must
# give the same zips and SHA256SUMS wherever and whenever it is built. Changes not committed are not
# in the clones. Exits non-zero if anything differs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
work="$root/build/reproduce"
rm -rf "$work"
mkdir -p "$work"
# Folders of different lengths, so that a path that finds its way into what ships shows.
clones=("$work/a" "$work/second")
for clone in "${clones[@]}"; do
    echo "== Release of ${commit:0:12} in $clone"
    git clone -q "$root" "$clone"
    git -C "$clone" checkout -q --detach "$commit"
    "$clone/scripts/release.sh" >/dev/null
    (cd "$clone/build/release" && sha256sum --quiet -c SHA256SUMS)
done

echo
echo "== Compared byte for byte"
differ=0
diff <(ls "${clones[0]}/build/release") <(ls "${clones[1]}/build/release") || differ=1
for file in "${clones[0]}"/build/release/*; do
    other="${clones[1]}/build/release/${file##*/}"
    if cmp -s "$file" "$other"; then
        echo "same     $(stat -c %s "$file") bytes  ${file##*/}"
    else
        echo "DIFFERS  ${file##*/}"
        differ=1
    fi
done
cat "${clones[0]}/build/release/SHA256SUMS"
[ $differ = 0 ]
