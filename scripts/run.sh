#!/usr/bin/env bash
# The run command: installs what is missing, builds, and starts Vestrel under 64-bit Wine.
# It uses a prefix of its own under build/ unless WINEPREFIX names one, so a first run
# never touches anything of yours. With no display it runs headless, saves a screenshot
# of the main window and exits.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" x86_64 i686

. "$root/scripts/wine-session.sh"
wine_prefix_ready "${WINEPREFIX:-$root/build/run-prefix}"
exe="$root/build/x86_64/release/Vestrel.exe"

if [ -n "${DISPLAY:-}" ]; then
    exec "$WINE" "$exe"
fi

trap wine_session_stop EXIT
private_display
# Wine's own desktop window draws the captions and frames that a window manager would.
"$WINE" explorer /desktop=Vestrel,1280x1024 "$exe" &
vestrel=$!
for _ in $(seq 150); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Vestrel v2.00"' && break
    sleep 0.2
done
sleep 2
shot="$root/build/screenshots/main-window.png"
mkdir -p "$(dirname "$shot")"
xwd -root -silent | convert xwd:- "$shot"
kill "$vestrel" 2>/dev/null || true
wait "$vestrel" 2>/dev/null || true
echo "Screenshot of the main window: $shot"
