#!/usr/bin/env bash
# The run command: installs what is missing, builds what it runs, and starts Vestrel under Wine on
# a demo machine, a prefix of its own under build/ that is filled with traces of every category on
# first use, so a first run never touches anything of yours. It runs the shipping 32-bit build, as
# on 64-bit Windows, where this machine can start 32-bit programs, and the 64-bit build elsewhere:
# emulating the 32-bit side as the test command does would change how every 32-bit program on the
# machine starts for as long as the window stays open.
#   scripts/run.sh           with a display Vestrel opens on the demo machine; with none, the tour
#   scripts/run.sh --tour    the guided tour: every category analyzed, cleaned and analyzed again,
#                            with a screenshot of each; it ends by itself
#   scripts/run.sh --reset   throws the demo machine away first, so the run starts on a fresh one
# WINEPREFIX=<dir> opens Vestrel on that prefix instead, as it is: no traces are added and no tour runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
demo_prefix="$root/build/run-prefix"
shots="$root/build/screenshots"

tour=0
reset=0
for arg in "$@"; do
    case "$arg" in
        --tour) tour=1 ;;
        --reset) reset=1 ;;
        *) echo "usage: $0 [--tour] [--reset]" >&2; exit 2 ;;
    esac
done
[ -n "${DISPLAY:-}" ] || tour=1

own_prefix=${WINEPREFIX:-}
if [ -n "$own_prefix" ] && { [ $reset = 1 ] || [ $tour = 1 ]; }; then
    echo "The tour and --reset erase the whole prefix's traces, so they work on the demo machine only;" >&2
    echo "run them without WINEPREFIX." >&2
    exit 2
fi

"$root/scripts/deps.sh"
. "$root/scripts/wine-session.sh"
arch=i686
if ! can_run_32bit; then
    arch=x86_64
    echo "32-bit programs cannot start on this machine: running the 64-bit build instead of the shipping 32-bit one." >&2
    echo "(scripts/test.sh tests the 32-bit build here under emulation.)" >&2
fi
use_arch "$arch"
build="$root/build/$arch"
targets=(--target Vestrel --target VestrelHelp)
[ -n "$own_prefix" ] || targets+=(--target demo_seed)
[ $tour = 0 ] || targets+=(--target demo_tour)
"$root/scripts/build.sh" "$arch" "${targets[@]}"
echo "Running the $([ $arch = i686 ] && echo 32-bit || echo 64-bit) build: $build/release/Vestrel.exe"

if [ $reset = 1 ] && [ -d "$demo_prefix" ]; then
    WINEPREFIX="$demo_prefix" "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$demo_prefix"
    echo "The demo machine was reset."
fi

if [ -n "$own_prefix" ]; then
    wine_prefix_ready "$own_prefix"
    exec "$WINE" "$build/release/Vestrel.exe"
fi

if [ $tour = 1 ]; then
    trap wine_session_stop EXIT
    WINE_SESSION_KILL_SERVER=1
    [ -n "${DISPLAY:-}" ] || private_display
fi
wine_prefix_ready "$demo_prefix"

seed_marker="$demo_prefix/.vestrel-demo"
if [ ! -f "$seed_marker" ]; then
    # The tour and the Vestrel it starts get a Wine desktop of their own, which draws the captions
    # and frames that a window manager would.
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Vestrel /d 1280x1024 /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\AppDefaults\demo_tour.exe\Explorer' /v Desktop /d Vestrel /f >/dev/null 2>&1
    "$WINE" "$build/demo/demo_seed.exe"
    touch "$seed_marker"
elif [ $tour = 1 ]; then
    # Every tour starts on a machine full of traces, whatever earlier runs erased.
    "$WINE" "$build/demo/demo_seed.exe"
fi

if [ $tour = 0 ]; then
    exec "$WINE" "$build/release/Vestrel.exe"
fi

mkdir -p "$shots"
rm -f "$shots"/[0-9][0-9]-*.png "$shots"/[0-9][0-9]-*.bmp
status=0
"$WINE" "$build/demo_tour.exe" "Z:${shots//\//\\}" || status=$?
for bmp in "$shots"/[0-9][0-9]-*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "Screenshots, one for each category: $shots/"
exit $status
