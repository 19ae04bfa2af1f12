#!/usr/bin/env bash
# The benchmark command: builds the program's code into a harness, makes every input in a private
# Wine prefix under a private X server, runs Vestrel and its references side by side and prints a
# table of medians and ratios (also kept in build/bench/results.md).
#   bench/run.sh            1,000 / 20,000 files three times each, 100,000 files and 1 GiB once
#   BENCH_QUICK=1 bench/run.sh    no 100,000-file tree, a 64 MiB overwrite: a quick look
# Analyses and erasures are timed twice over: inside the harness, and from outside as a user meets the
# real Vestrel.exe, with a command posted to its window and timed to its report box; the latter on two
# shapes of tree.
#   BENCH_ARCH=i686 bench/run.sh  the shipping 32-bit build under 32-bit Wine in a 64-bit prefix,
#                                 as on 64-bit Windows (default: x86_64, the 64-bit build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${BENCH_DIR:-$root/build/bench}
quick=${BENCH_QUICK:-0}
arch=${BENCH_ARCH:-x86_64}
case "$arch" in
    x86_64) build_name="64-bit build" ;;
    i686) build_name="32-bit build, WoW64" ;;
    *) echo "BENCH_ARCH is x86_64 or i686" >&2; exit 2 ;;
esac
mkdir -p "$out"

. "$root/scripts/wine-session.sh"
if [ "$arch" = i686 ] && ! can_run_32bit; then
    echo "32-bit programs cannot start on this machine: no benchmark of the 32-bit build" >&2
    exit 1
fi
use_arch "$arch"

echo "building the harness ($build_name) in $out/build-$arch" >&2
cmake -S "$root" -B "$out/build-$arch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DVESTREL_TESTS=OFF -DVESTREL_BENCH=ON >/dev/null
cmake --build "$out/build-$arch" -j2 --target vestrel_bench --target vestrel_outside --target Vestrel >/dev/null
harness="$out/build-$arch/bench/vestrel_bench.exe"
outside_driver="$out/build-$arch/bench/vestrel_outside.exe"

rm -rf "$out/prefix"
echo "making a fresh Wine prefix in $out/prefix" >&2
wine_session_start "$out/prefix"
# One wineserver for the whole run, so no case pays for starting it.
"$WINESERVER" -p

# Wine's own system processes start here, away from the pipes of the cases below.
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
win_user_temp=$("$WINE" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
win_windows_temp='C:\windows\temp'
user_temp=$("$WINE" winepath -u "$win_user_temp" 2>/dev/null)
windows_temp=$("$WINE" winepath -u "$win_windows_temp" 2>/dev/null)
user_temp=${user_temp%/}
windows_temp=${windows_temp%/}
[ -d "$user_temp" ] && [ -d "$windows_temp" ] || { echo "no temporary folders in the prefix" >&2; exit 1; }

raw="$out/raw-$arch.txt"
: >"$raw"
program=$("$WINE" winepath -w "$out/build-$arch/release/Vestrel.exe" 2>/dev/null | tr -d '\r')
# As in the tests: Xvfb runs no window manager, and Wine would wait for one at every box that closes.
"$WINE" reg add 'HKCU\Software\Wine\AppDefaults\Vestrel.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# Through a file, not a pipe: a process Wine starts on the way may keep a pipe open for good.
harness() {
    "$WINE" "$harness" "$@" >"$out/case.txt" 2>/dev/null </dev/null || true
    tr -d '\r' <"$out/case.txt"
}
outside() {
    "$WINE" "$outside_driver" "$program" "$@" >"$out/case.txt" 2>/dev/null </dev/null || true
    tr -d '\r' <"$out/case.txt"
}
# Wall time of a command in ms, its output thrown away.
wall_ms() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    awk -v ns=$(( end - start )) 'BEGIN { printf "ms=%.1f", ns / 1e6 }'
}
record() { echo "$1 $2 $3" >>"$raw"; }
# Vestrel's analysis of a category and the bare walk of the same things, in turn, three times.
analysis_against_bare() {
    for _ in 1 2 3; do
        record "$1" vestrel "$(harness analyze "$2")"
        record "$1" bare "$(harness "$3")"
    done
}
files_left() { find "$user_temp" "$windows_temp" -type f 2>/dev/null | wc -l; }

fresh_tree() {
    rm -rf "$user_temp" "$windows_temp"
    mkdir -p "$user_temp" "$windows_temp"
    python3 "$root/bench/make_tree.py" "$user_temp" "$1" "${2:-nested}"
    sync
}

sizes=(1000 20000 100000)
[ "$quick" = 1 ] && sizes=(1000 20000)
# Deleting is bound by the disk here (about 1 ms a file even for rm -rf): the largest tree is erased once.
erase_runs_for() { [ "$1" -ge 100000 ] && echo 1 || echo 3; }

for _ in 1 2 3; do record wine-start cmd "$(wall_ms "$WINE" cmd /c exit)"; done

# The bench's own tree, with every reference; then 100 files of 10 bytes to a folder, where the two ways of
# timing the program are set side by side again (cases named flat-...).
for shape in nested flat; do
    prefix=
    [ "$shape" = flat ] && prefix=flat-
    for n in "${sizes[@]}"; do
        [ "$shape" = flat ] && [ "$n" -lt 20000 ] && continue
        echo "analysis and erasure of $n files ($shape)" >&2
        fresh_tree "$n" "$shape"
        for _ in 1 2 3; do
            record "${prefix}analyze-$n" vestrel "$(harness analyze system)"
            record "${prefix}analyze-$n" outside "$(outside analyze system)"
            record "${prefix}analyze-$n" bare "$(harness bare-walk "$win_windows_temp" "$win_user_temp")"
        done
        if [ "$shape" = nested ]; then
            record "analyze-$n" cmd "$(wall_ms "$WINE" cmd /c dir /s /b "$win_user_temp")"
            record "analyze-$n" find "$(wall_ms find "$user_temp" -type f)"
        fi
        for _ in $(seq "$(erase_runs_for "$n")"); do
            fresh_tree "$n" "$shape"; record "${prefix}erase-$n" vestrel "$(harness erase system) left=$(files_left)"
            fresh_tree "$n" "$shape"; record "${prefix}erase-$n" outside "$(outside erase system) left=$(files_left)"
            fresh_tree "$n" "$shape"; record "${prefix}erase-$n" bare "$(harness bare-delete "$win_windows_temp" "$win_user_temp") left=$(files_left)"
        done
        if [ "$shape" = nested ]; then
            fresh_tree "$n"; record "erase-$n" cmd "$(wall_ms "$WINE" cmd /c rd /s /q "$win_user_temp") left=$(files_left)"
            fresh_tree "$n"; record "erase-$n" rm "$(wall_ms rm -rf "$user_temp") left=$(files_left)"
        fi
        # Where a first analysis's time goes: the walk, then the list's first fill against its later ones.
        if [ "$shape" = flat ] && [ "$n" = 20000 ]; then
            fresh_tree "$n" "$shape"
            for _ in 1 2 3 4 5; do
                record list-steps vestrel "$(harness list-steps "$win_windows_temp" "$win_user_temp")"
            done
        fi
        # While a clean of 20,000 files runs: its answers to the system and the pace of its count.
        if [ "$n" = 20000 ]; then
            for _ in 1 2 3; do
                fresh_tree "$n" "$shape"; record "${prefix}watch-$n" outside "$(outside erase system watch)"
            done
        fi
        rm -rf "$user_temp" && mkdir -p "$user_temp"
    done
done

echo "erasure of one file, step by step" >&2
for _ in 1 2 3; do record delete-steps vestrel "$(harness delete-steps 'C:\bench-steps' 5000)"; done

mb=1024
[ "$quick" = 1 ] && mb=64
echo "overwrite of a $mb MiB index.dat" >&2
bench_folder="$WINEPREFIX/drive_c/bench"
mkdir -p "$bench_folder"
target="$bench_folder/index.dat"
bytes=$(( mb * 1024 * 1024 ))
dd if=/dev/urandom of="$target" bs=1M count="$mb" conv=fsync status=none
overwrite_runs=3
[ "$mb" -ge 1024 ] && overwrite_runs=1
for _ in $(seq "$overwrite_runs"); do
    # Both write bytes 64 to the end; the size is in MiB, minus those 64 bytes.
    record overwrite vestrel "$(harness overwrite 'C:\bench' index.dat) mb=$(( mb ))"
    record overwrite dd "$(wall_ms dd if=/dev/zero of="$target" bs=1M iflag=count_bytes count=$(( bytes - 64 )) \
        oflag=seek_bytes seek=64 conv=notrunc,fsync)"
done
rm -rf "$bench_folder"

echo "URL cache of 5,000 cookie entries" >&2
harness seed-cookies 5000 >/dev/null
analysis_against_bare urlcache-analyze cookie bare-urlcache
for _ in 1 2 3; do
    harness seed-cookies 5000 >/dev/null; record urlcache-erase vestrel "$(harness erase cookie)"
    harness seed-cookies 5000 >/dev/null; record urlcache-erase bare "$(harness bare-urlcache-delete)"
done

echo "typed addresses: 5,000 values" >&2
harness seed-typed 5000 >/dev/null
analysis_against_bare registry-analyze address bare-typed

{
    echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GB RAM; $("$WINE" --version); $(date -u +%Y-%m-%d)"
    echo "Vestrel and the bare walks: the $build_name"
    echo
    python3 "$root/bench/report.py" "$raw" "$build_name"
} | tee "$out/results.md"
