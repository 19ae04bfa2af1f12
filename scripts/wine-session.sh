# Sourced by the run and test commands: a Wine prefix and, where asked, a private X server.
#   wine_prefix_ready <prefix>   sets WINEPREFIX and friends; creates the prefix on first use
#   private_display              starts an Xvfb of our own and points DISPLAY at it
#   wine_session_stop            ends what these started: the Xvfb by its PID, and with
#                                WINE_SESSION_KILL_SERVER=1 the wineserver of this prefix only
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

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

wine_prefix_ready() {
    export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE" wineboot -i >/dev/null 2>&1
        # A crash must fail a test, not wait for somebody to close a dialog.
        "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        "$WINESERVER" -w
    fi
}

# Tests: a fresh private prefix, a private X server, and both ended on exit.
wine_session_start() {
    trap wine_session_stop EXIT
    WINE_SESSION_KILL_SERVER=1
    private_display
    wine_prefix_ready "$1"
}
