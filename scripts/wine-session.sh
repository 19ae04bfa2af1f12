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
# and, where the kernel cannot start 32-bit programs, 32-bit Wine under qemu-user:
#   emulation_forget_dead         removes the registrations of runs that were killed outright
#   emulation_prepare <dir>       mounts binfmt_misc where it is missing; says why where it cannot
#   emulation_start               builds into <dir> the library 32-bit Wine needs under qemu,
#                                 registers qemu-i386 for 32-bit x86 programs under a name of this
#                                 run, preloads the library, exports VESTREL_32BIT_EMULATION
#   emulation_stop                removes that registration and what emulation_start set; runs on
#                                 exit, interrupt and termination too
# and Wine 10, which deletes as Windows 10 and 11 do, in a Debian 13 chroot:
#   wine10_prepare <dir>          claims the chroot <dir> for this run, undoes the mounts that a
#                                 killed run left in it, makes or completes it (scripts/deps.sh
#                                 --wine10) and enters it once to see Wine start (WINE10_VERSION);
#                                 says why where it cannot
#   wine10_enter <folder>...      mounts /proc, /dev and the folders (at their own paths) in it, and
#                                 makes the functions above and WINE_IN run Wine and Xvfb there
#   wine10_leave                  undoes those mounts and the claim; runs on exit, interrupt and
#                                 termination too
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINE=$WINE64
WINESERVER=/usr/lib/wine/wineserver
# What Wine, its server and Xvfb start under: nothing, or the chroot's entry.
WINE_IN=()

BINFMT=/proc/sys/fs/binfmt_misc
# binfmt_misc magic and mask of 32-bit x86 ELF programs: executables and shared objects.
I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# The kernel asks binfmt_misc before its own loader: while an interpreter is registered for 32-bit
# x86 programs, none of them starts natively, whatever the kernel could do.
i386_interpreter_registered() {
    local entry
    [ "$(cat "$BINFMT/status" 2>/dev/null)" = enabled ] || return 1
    for entry in "$BINFMT"/*; do
        case "${entry##*/}" in register|status) continue ;; esac
        [ "$(head -n1 "$entry" 2>/dev/null)" = enabled ] &&
            grep -q '^magic 7f454c460101.\{24\}0300' "$entry" 2>/dev/null && return 0
    done
    return 1
}

# Some kernels cannot start 32-bit programs at all; the loader's own start is the honest test.
can_run_32bit() {
    ! i386_interpreter_registered && [ -x "$WINE32" ] && "$WINE32" --version >/dev/null 2>&1
}

use_arch() {
    case "$1" in
        i686) WINE=$WINE32 ;;
        *) WINE=$WINE64 ;;
    esac
}

# Ends what these started however the command ends: normally, on an error, or interrupted.
wine_session_end() {
    wine_session_stop
    emulation_stop
    wine10_leave
}
wine_session_traps() {
    trap wine_session_end EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

wine_session_stop() {
    if [ "${WINE_SESSION_KILL_SERVER:-0}" = 1 ] && [ -n "${WINEPREFIX:-}" ]; then
        "${WINE_IN[@]}" "$WINESERVER" -k >/dev/null 2>&1 || true
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
    "${WINE_IN[@]}" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
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
        WINEARCH=$arch "${WINE_IN[@]}" "$boot" wineboot -i >/dev/null 2>&1
        # A crash must fail a test, not wait for somebody to close a dialog.
        "${WINE_IN[@]}" "$boot" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        "${WINE_IN[@]}" "$WINESERVER" -w
    fi
}

# Tests: a fresh private prefix, a private X server, and both ended on exit.
wine_session_start() {
    wine_session_traps
    WINE_SESSION_KILL_SERVER=1
    private_display
    wine_prefix_ready "$@"
}

# Registrations of these runs are named vestrel-i386-<pid namespace>-<pid>, so that one left by a
# run that was killed outright is told from one of a run still going.
emulation_entry_prefix() {
    echo "vestrel-i386-$(readlink /proc/self/ns/pid | tr -dc 0-9)-"
}

emulation_forget_dead() {
    local entry
    for entry in "$BINFMT/$(emulation_entry_prefix)"*; do
        [ -e "$entry" ] && [ ! -d "/proc/${entry##*-}" ] || continue
        if { echo -1 >"$entry"; } 2>/dev/null; then
            echo "Removed ${entry##*/}, the registration of a run that was killed."
        fi
    done
}

# Under qemu-user, 32-bit Wine needs binfmt_misc, because Wine starts its loader anew for every
# process it creates, and the library built from scripts/qemu-segv-trap.c preloaded.
emulation_prepare() {
    EMULATION_DIR=$1
    wine_session_traps
    if [ "$(id -u)" -ne 0 ]; then
        echo "Registering an interpreter in binfmt_misc needs root." >&2
        return 1
    fi
    if [ ! -e "$BINFMT/register" ]; then
        mount -t binfmt_misc binfmt_misc "$BINFMT" || { echo "binfmt_misc cannot be mounted on $BINFMT." >&2; return 1; }
        EMULATION_MOUNTED=1
    fi
    if [ "$(cat "$BINFMT/status")" != enabled ]; then
        echo "binfmt_misc is switched off on this machine ($BINFMT/status)." >&2
        return 1
    fi
    EMULATION_QEMU=/usr/bin/qemu-i386
    EMULATION_VERSION=$("$EMULATION_QEMU" --version | sed -n '1s/.* version \([^ ]*\).*/qemu-user \1/p')
}

emulation_start() {
    local source said lib="$EMULATION_DIR/lib"
    source="$(dirname "${BASH_SOURCE[0]}")/qemu-segv-trap.c"
    mkdir -p "$lib/i386-linux-gnu" "$lib/x86_64-linux-gnu"
    gcc -m32 -O2 -fPIC -fno-stack-protector -shared -nostdlib -o "$lib/i386-linux-gnu/libqemu-segv-trap.so" "$source" &&
        gcc -O2 -fPIC -shared -nostdlib -o "$lib/x86_64-linux-gnu/libqemu-segv-trap.so" "$source" || return 1
    EMULATION_SAVED_PRELOAD=${LD_PRELOAD-}
    EMULATION_ENTRY="$(emulation_entry_prefix)$$"
    wine_session_traps
    echo ":$EMULATION_ENTRY:M::$I386_MAGIC:$I386_MASK:$EMULATION_QEMU:F" >"$BINFMT/register" || {
        EMULATION_ENTRY=
        echo "$EMULATION_QEMU could not be registered in binfmt_misc." >&2
        return 1
    }
    # The loader puts lib/i386-linux-gnu or lib/x86_64-linux-gnu for $LIB, so 64-bit processes that
    # inherit the setting load the empty 64-bit build.
    export LD_PRELOAD="$EMULATION_DIR/\$LIB/libqemu-segv-trap.so${LD_PRELOAD:+ $LD_PRELOAD}"
    export VESTREL_32BIT_EMULATION=$EMULATION_VERSION
    # Quietly, or a loader did not find its build of the library, and Wine's faults would go wrong
    # far from here.
    if ! said=$({ "$WINE32" --version >/dev/null && env true; } 2>&1) || [ -n "$said" ]; then
        echo "$WINE32 does not start cleanly under $EMULATION_QEMU: $said" >&2
        emulation_stop
        return 1
    fi
}

emulation_stop() {
    if [ -n "${EMULATION_ENTRY:-}" ]; then
        if [ -e "$BINFMT/$EMULATION_ENTRY" ] && ! echo -1 >"$BINFMT/$EMULATION_ENTRY"; then
            echo "!!! $BINFMT/$EMULATION_ENTRY could not be removed: remove it with 'echo -1 >' it." >&2
        fi
        EMULATION_ENTRY=
        unset VESTREL_32BIT_EMULATION
        if [ -n "${EMULATION_SAVED_PRELOAD:-}" ]; then
            export LD_PRELOAD=$EMULATION_SAVED_PRELOAD
        else
            unset LD_PRELOAD
        fi
    fi
    # A mount of our own goes once nothing is registered in it.
    if [ "${EMULATION_MOUNTED:-0}" = 1 ] && [ -z "$(ls "$BINFMT" | grep -vx 'register\|status')" ]; then
        umount "$BINFMT" && EMULATION_MOUNTED=0
    fi
}

# A run is named by its PID and start time, so that the claim of a run that was killed is told from
# that of a run still going, even once its PID is taken again.
run_identity() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    echo "$1 $(cut -d' ' -f20 <<<"${stat##*) }")"
}

# What is mounted in the chroot or in the one being made, deepest first.
wine10_mounts() {
    local target
    [ -n "${WINE10_DIR:-}" ] || return 0
    findmnt -rn -o TARGET | while IFS= read -r target; do
        target=$(printf '%b' "$target")
        case "$target" in "$WINE10_DIR"/* | "$WINE10_DIR.new"/*) echo "$target" ;; esac
    done | LC_ALL=C sort -r
}

# Each mount becomes a slave first, so that undoing the chroot's copy of a shared mount (/dev/pts
# in /dev) is not passed on to the machine's own. One still in use is detached all the same.
wine10_unmount() {
    local target
    while IFS= read -r target; do
        mount --make-slave "$target" 2>/dev/null || true
        umount "$target" 2>/dev/null || umount -l "$target" ||
            echo "!!! $target could not be unmounted: unmount it before removing $WINE10_DIR." >&2
    done < <(wine10_mounts)
}

wine10_prepare() {
    local owner left started=0
    # As mount(8) writes targets down, so that wine10_mounts finds them.
    WINE10_DIR=$(realpath -m "$1")
    if [ "$(id -u)" -ne 0 ]; then
        echo "Making and entering a chroot needs root." >&2
        return 1
    fi
    owner=$(cat "$WINE10_DIR.run" 2>/dev/null) || true
    if [ -n "$owner" ] && [ "$(run_identity "${owner%% *}")" = "$owner" ]; then
        echo "$WINE10_DIR is in use by another run (PID ${owner%% *})." >&2
        return 1
    fi
    wine_session_traps
    mkdir -p "$(dirname "$WINE10_DIR")"
    run_identity $$ >"$WINE10_DIR.run"
    WINE10_CLAIMED=1
    left=$(wine10_mounts | wc -l)
    if [ "$left" -gt 0 ]; then
        wine10_unmount
        echo "Undid $left mounts in $WINE10_DIR that a killed run left."
    fi
    "$(dirname "${BASH_SOURCE[0]}")/deps.sh" --wine10 "$WINE10_DIR" || return 1
    # Where mounting is not allowed (a container), this is where it shows.
    wine10_enter || started=1
    WINE_IN=()
    wine10_unmount
    return $started
}

wine10_enter() {
    local target
    wine_session_traps
    for target in /proc /dev; do
        mount --rbind "$target" "$WINE10_DIR$target" && mount --make-rslave "$WINE10_DIR$target" || return 1
    done
    for target in "$@"; do
        mkdir -p "$WINE10_DIR$target" && mount --bind "$target" "$WINE10_DIR$target" || return 1
    done
    # Debian's Wine frees the string getenv("TMPDIR") returns where /run/user/<uid> is missing, as in
    # a chroot, and every Wine program aborts.
    WINE_IN=(chroot "$WINE10_DIR" /usr/bin/env -u TMPDIR)
    if ! WINE10_VERSION=$("${WINE_IN[@]}" "$WINE64" --version 2>&1); then
        echo "$WINE64 does not start in $WINE10_DIR: $WINE10_VERSION" >&2
        return 1
    fi
}

wine10_leave() {
    [ "${WINE10_CLAIMED:-0}" = 1 ] || return 0
    WINE_IN=()
    wine10_unmount
    rm -f "$WINE10_DIR.run"
    WINE10_CLAIMED=0
}
