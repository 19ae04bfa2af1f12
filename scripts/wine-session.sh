# Sourced by the run, test, release and bench commands: the Wine loaders, Wine prefixes and, where
# asked, a private X server.
#   can_run_32bit                 whether this machine starts 32-bit programs (the 32-bit loader is one)
#   use_arch <x86_64|i686>        points WINE at the loader that runs that build
#   wine_prefix_ready <prefix> [win64|win32]
#                                 sets WINEPREFIX and friends; creates the prefix on first use
#   private_display               starts an Xvfb of our own and points DISPLAY at it
#   wine_session_start <prefix> [win64|win32]
#                                 both of the above, for tests, ended by wine_session_stop or on exit
#   wine_session_stop             ends what these started: the Xvfb by its PID, and with
#                                 WINE_SESSION_KILL_SERVER=1 the wineserver of this prefix only
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINE=$WINE64
WINESERVER=/usr/lib/wine/wineserver

# Some kernels cannot start 32-bit programs at all; the loader's own start is the honest test.
can_run_32bit() {
    [ -x "$WINE32" ] && "$WINE32" --version >/dev/null 2>&1
}

use_arch() {
    case "$1" in
        i686) WINE=$WINE32 ;;
        *) WINE=$WINE64 ;;
    esac
}

wine_session_stop() {
    if [ "${WINE_SESSION_KILL_SERVER:-0}" = 1 ] && [ -n "${WINEPREFIX:-}" ]; then
        "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

private_display() {
    local fd_file
    fd_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$fd_file")"
    rm -f "$fd_file"
}

# A 64-bit prefix runs both builds, the 32-bit one as on 64-bit Windows (WoW64); a 32-bit prefix
# is 32-bit Windows, and only the 32-bit loader makes one.
wine_prefix_ready() {
    local arch=${2:-win64} boot=$WINE64
    [ "$arch" = win32 ] && boot=$WINE32
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        WINEARCH=$arch "$boot" wineboot -i >/dev/null 2>&1
        # A crash must fail a test, not wait for somebody to close a dialog.
        "$boot" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        "$WINESERVER" -w
    fi
}

# Tests: a fresh private prefix, a private X server, and both ended on exit.
wine_session_start() {
    trap wine_session_stop EXIT
    WINE_SESSION_KILL_SERVER=1
    private_display
    wine_prefix_ready "$@"
}
