#!/usr/bin/env bash
# The test command: installs what is missing, builds both architectures with their tests, and runs
#   every test of the 64-bit build under 64-bit Wine, in a 64-bit prefix;
#   every test of the 32-bit (shipping) build under 32-bit Wine in a 64-bit prefix, as on 64-bit Windows;
#   the end-to-end tests and the tour of the 32-bit build in a 32-bit prefix, as on 32-bit Windows;
# each in a fresh private prefix with a private X server. Where the kernel cannot start 32-bit
# programs, the 32-bit parts run under qemu-user, registered for 32-bit x86 programs for their
# length only; VESTREL_EMULATE_32BIT=1 asks for that on any machine. Where that cannot be set up, it
# says so and runs the 64-bit half alone. A fourth part runs every test of the 64-bit build, and of
# the 32-bit build where 32-bit programs start natively, under Wine 10 in a Debian 13 chroot kept in
# build/trixie; where that cannot be set up, it says so and the run goes on without it. Arguments go
# to every ctest run (scripts/test.sh -R registry). Then it checks the 32-bit zip a user downloads
# (download_check), and that apt's package sources are as the run found them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
. "$root/scripts/wine-session.sh"

run32=1
emulate=0
why=
emulation_forget_dead
if [ "${VESTREL_EMULATE_32BIT:-0}" = 1 ]; then
    why="VESTREL_EMULATE_32BIT=1 asks for it"
elif i386_interpreter_registered; then
    why="an interpreter registered in binfmt_misc takes 32-bit programs over from the kernel here"
elif ! can_run_32bit; then
    why="this machine's kernel cannot start 32-bit programs"
fi
# apt's package sources as this run finds them, to be found so at its end; where it emulates, a
# source that an earlier run left behind is to be gone as well (deps.sh --emulation removes it).
apt_sources() { sha256sum /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null | sort || true; }
sources_found=$(apt_sources)
[ -z "$why" ] || sources_found=$(grep -v '/vestrel-backports\.sources$' <<<"$sources_found" || true)
if [ -n "$why" ]; then
    if "$root/scripts/deps.sh" --emulation && emulation_prepare "$root/build/emulation"; then
        emulate=1
    elif [ "${VESTREL_EMULATE_32BIT:-0}" = 1 ]; then
        echo "VESTREL_EMULATE_32BIT=1, but the 32-bit build cannot run under emulation here (above)." >&2
        exit 1
    else
        run32=0
    fi
fi
no32() {
    echo "!!!"
    echo "!!! 32-bit programs do not start natively on this machine ($why), nor under emulation (above):"
    echo "!!! the 32-bit build, which is the one that ships, was built but NOT tested."
    echo "!!!"
}
emulated() {
    echo "=== The 32-bit build $1 under emulation ($EMULATION_VERSION, registered in binfmt_misc for"
    echo "=== 32-bit x86 programs while its tests run): $why."
}
[ $run32 = 1 ] || no32
[ $emulate = 0 ] || emulated runs

# Wine 10 deletes as Windows 10 and 11 do (FileDispositionInfoEx, POSIX semantics), which Wine 8
# refuses; the fourth part runs the tests again under it. 32-bit programs run there only where the
# kernel starts them itself: emulating them inside the chroot was never tried.
wine10=0
wine10_32=0
if wine10_prepare "$root/build/trixie"; then
    wine10=1
    [ $run32 = 0 ] || [ $emulate = 1 ] || wine10_32=1
fi
wine10_said() {
    if [ $wine10 = 0 ]; then
        echo "!!!"
        echo "!!! Wine 10 could not be set up in a Debian 13 chroot (above): no test $1 under the Wine that"
        echo "!!! deletes as Windows 10 and 11 do."
        echo "!!!"
    elif [ $wine10_32 = 1 ]; then
        echo "=== $WINE10_VERSION, in the Debian 13 chroot build/trixie, $1 the tests of both builds too."
    else
        echo "=== $WINE10_VERSION, in the Debian 13 chroot build/trixie, $1 the tests of the 64-bit build"
        echo "=== too, not those of the 32-bit build: 32-bit programs do not start natively in this run ($why)."
    fi
}
wine10_said runs

"$root/scripts/build.sh" x86_64
if [ $run32 = 1 ]; then
    "$root/scripts/build.sh" i686
else
    "$root/scripts/build.sh" i686 --target Vestrel --target VestrelHelp
fi

summary=()
widened=
passed=0
failed=0
# suite <title> <arch> <win64|win32> <prefix name> [ctest arguments...]
suite() {
    local title=$1 arch=$2 prefix_arch=$3 prefix="$root/build/$2/$4" log status=0
    shift 4
    echo
    echo "== $title"
    log=$(mktemp)
    rm -rf "$prefix" "$root/build/$arch/Testing/Temporary/LastTest.log"
    use_arch "$arch"
    wine_session_start "$prefix" "$prefix_arch"
    "${WINE_IN[@]}" ctest --test-dir "$root/build/$arch" --output-on-failure "$@" 2>&1 | tee "$log" || status=$?
    wine_session_stop
    # The bounds that tests widened under emulation, as they printed them, passed or failed.
    if [ -n "${VESTREL_32BIT_EMULATION:-}" ]; then
        widened+=$(awk '/ Testing: /{ test = $3 } /^Under emulation /{ print "\n  " test ": " $0 }' \
            "$root/build/$arch/Testing/Temporary/LastTest.log" 2>/dev/null || true)
    fi
    # "100% tests passed, 0 tests failed out of 15"
    local total failures
    total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n1)
    failures=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -n1)
    if grep -q "No tests were found" "$log"; then
        summary+=("$title: no test matched")
    elif [ -z "$total" ]; then
        summary+=("$title: ctest did not finish (exit $status)")
        failed=$(( failed + 1 ))
    else
        passed=$(( passed + total - failures ))
        failed=$(( failed + failures ))
        summary+=("$title: $(( total - failures )) of $total passed")
    fi
    rm -f "$log"
}

# The 32-bit zip as a user downloads it, from the release command: SHA256SUMS holds for it, its
# program has no debugging sections and is large-address-aware, and unpacked into a fresh folder it
# starts under 32-bit Wine in a 64-bit prefix, shows its window and its version resource, and
# closes. The shell test's driver goes beside it, where the driver looks for the program.
download_check() {
    local title="32-bit download, unpacked and started$under" zip dir exe faults=()
    echo
    echo "== $title"
    dir=$(mktemp -d "$root/build/i686/download.XXXXXX")
    if ! zip=$("$root/scripts/release.sh" | grep -- '-win32\.zip$'); then
        faults+=("the release command failed (above)")
    elif ! (cd "$root/build/release" && sha256sum --quiet -c SHA256SUMS); then
        faults+=("SHA256SUMS does not hold")
    elif ! python3 -m zipfile -e "$zip" "$dir" || ! exe=$(find "$dir" -name Vestrel.exe | grep .); then
        faults+=("no Vestrel.exe in $zip")
    else
        i686-w64-mingw32-objdump -h "$exe" | grep ' \.debug' >/dev/null && faults+=("debugging sections")
        i686-w64-mingw32-objdump -p "$exe" | grep 'large address aware' >/dev/null || faults+=("not large-address-aware")
        cp "$root/build/i686/shell_e2e.exe" "${exe%/*}/"
        use_arch i686
        wine_session_start "$root/build/i686/test-prefix" win64
        # The one test must have run and passed: a filter that matches nothing passes too.
        "$WINE" "${exe%/*}/shell_e2e.exe" --gtest_filter='Shell.VersionResource*' | tee "$dir/log" &&
            grep -q '^\[  PASSED  \] 1 test\.' "$dir/log" || faults+=("the shell test did not pass on it (above)")
        wine_session_stop
    fi
    rm -rf "$dir"
    if [ ${#faults[@]} = 0 ]; then
        summary+=("$title: passed")
        passed=$(( passed + 1 ))
    else
        summary+=("$title: FAILED: $(IFS=';'; echo "${faults[*]}")")
        failed=$(( failed + 1 ))
    fi
}

suite "64-bit build, 64-bit Wine, 64-bit prefix" x86_64 win64 test-prefix "$@"
under=
[ $emulate = 0 ] || under=", under emulation"
# The prefixes are made while the registration stands: booting even a 64-bit one starts 32-bit programs.
if [ $emulate = 1 ] && ! emulation_start; then
    summary+=("32-bit build$under: not run, emulation could not start (above)")
    failed=$(( failed + 1 ))
elif [ $run32 = 1 ]; then
    suite "32-bit build, 32-bit Wine, 64-bit prefix (WoW64)$under" i686 win64 test-prefix "$@"
    suite "32-bit build, end-to-end tests and tour, 32-bit prefix$under" i686 win32 test-prefix-win32 -L e2e "$@"
    download_check
    emulation_stop
fi

if [ $wine10 = 1 ]; then
    if wine10_enter "$root/build/x86_64" "$root/build/i686"; then
        suite "64-bit build, 64-bit Wine 10, 64-bit prefix" x86_64 win64 test-prefix-wine10 "$@"
        if [ $wine10_32 = 1 ]; then
            suite "32-bit build, 32-bit Wine 10, 64-bit prefix (WoW64)" i686 win64 test-prefix-wine10 "$@"
        fi
    else
        summary+=("Wine 10: not run, the chroot could not be entered (above)")
        failed=$(( failed + 1 ))
        wine10=0
    fi
    wine10_leave
fi

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
[ $run32 = 1 ] || no32
if [ $emulate = 1 ]; then
    emulated ran
    widened=$(sort -u <<<"$widened" | sed '/^$/d')
    echo "=== Timing bounds that tests widened under emulation:"
    echo "${widened:-  none}"
fi
wine10_said ran
if [ "$(apt_sources)" != "$sources_found" ]; then
    echo "!!! apt's package sources are not as this run found them (< before, > now):"
    diff <(echo "$sources_found") <(apt_sources) | grep '^[<>]' | sed 's/^/!!! /' || true
    failed=$(( failed + 1 ))
elif [ $emulate = 1 ]; then
    echo "apt's package sources are as this run found them."
fi
echo "Total: $passed passed, $failed failed"
[ $failed = 0 ]
