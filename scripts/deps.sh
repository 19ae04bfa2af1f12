#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, or says which are missing. 32-bit
# Wine comes beside 64-bit Wine: the shipping build is 32-bit.
#   scripts/deps.sh               what every build and test needs
#   scripts/deps.sh --emulation   what runs 32-bit programs where the kernel cannot: qemu-user from
#                                 the backports of this Debian release (the release's own qemu breaks
#                                 as soon as a program starts a second thread), and gcc for the
#                                 small library Wine needs under it (scripts/qemu-segv-trap.c). A
#                                 package source it adds for that goes again when the install ends,
#                                 however it ends.
#   scripts/deps.sh --wine10 DIR  a Debian 13 chroot in DIR with Wine 10, both loaders, Xvfb and
#                                 CTest, made with debootstrap (installed here if missing) from the
#                                 mirror this machine uses for Debian; a chroot that a run left half
#                                 made is made again, a complete one is kept
set -euo pipefail

mode=
case "${1:-}" in
    --emulation) mode=emulation ;;
    --wine10) mode=wine10; chroot_dir=${2:?usage: $0 --wine10 DIR} ;;
    "") ;;
    *) echo "usage: $0 [--emulation | --wine10 DIR]" >&2; exit 2 ;;
esac

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
# The mirror this machine already uses for Debian itself; which one that is, apt knows from the
# release files it fetched.
debian_mirror() {
    [ "$(id -u)" -ne 0 ] || [ -n "$(apt-get indextargets 'Origin: Debian' | sed -n 1p)" ] || apt-get update -q >&2 9<&-
    apt-get indextargets --format '$(REPO_URI)' "Release: $codename" 'Target-Of: deb' 'Origin: Debian' | sed -n 1p
}
lock=(-o DPkg::Lock::Timeout=300)

if [ "$mode" = wine10 ]; then
    # Recorded once installed: a chroot without this list, or with another, is not complete.
    packages=(wine wine64 wine32:i386 xvfb cmake)
    done_file="$chroot_dir/.vestrel-packages"
    [ "$(cat "$done_file" 2>/dev/null)" = "${packages[*]}" ] && exit 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Making the Debian 13 chroot that Wine 10 runs in needs root." >&2
        exit 1
    fi
    log="$chroot_dir.log"
    export DEBIAN_FRONTEND=noninteractive
    if ! installed debootstrap; then
        echo "Installing: debootstrap"
        apt-cache show debootstrap >/dev/null 2>&1 || apt-get "${lock[@]}" update -q >"$log" 2>&1 || true
        apt-get "${lock[@]}" install -y -q --no-install-recommends debootstrap >"$log" 2>&1 || {
            tail -n 20 "$log" >&2
            exit 1
        }
    fi
    # Made aside and renamed once whole, so that a run interrupted meanwhile leaves no chroot that
    # looks made. The chroot itself is never removed here: the tests bind folders of this machine
    # into it, and removing it through one of those would remove them.
    if [ ! -d "$chroot_dir" ]; then
        mirror=$(debian_mirror)
        if [ -z "$mirror" ]; then
            echo "No Debian source for '$codename' in this machine's apt sources to make the chroot from." >&2
            exit 1
        fi
        # Only debootstrap's own mounts of /proc and /sys can be left in it, and they are skipped.
        rm -rf --one-file-system "$chroot_dir.new"
        echo "Making a Debian 13 (trixie) chroot in $chroot_dir from $mirror"
        start=$SECONDS
        debootstrap --variant=minbase trixie "$chroot_dir.new" "$mirror" >"$log" 2>&1 || {
            tail -n 20 "$log" >&2
            exit 1
        }
        mv -T "$chroot_dir.new" "$chroot_dir"
        echo "Made in $(( SECONDS - start )) s."
    fi
    echo "Installing in the chroot: ${packages[*]}"
    start=$SECONDS
    in_chroot=(chroot "$chroot_dir" /usr/bin/env -u TMPDIR)
    if ! { "${in_chroot[@]}" dpkg --add-architecture i386 &&
           "${in_chroot[@]}" apt-get "${lock[@]}" update -q &&
           "${in_chroot[@]}" apt-get "${lock[@]}" install -y -q --no-install-recommends "${packages[@]}" &&
           "${in_chroot[@]}" apt-get clean; } >"$log" 2>&1; then
        tail -n 20 "$log" >&2
        exit 1
    fi
    echo "${packages[*]}" >"$done_file"
    echo "Installed in $(( SECONDS - start )) s."
    exit 0
fi

if [ "$mode" = emulation ]; then
    source_file=/etc/apt/sources.list.d/vestrel-backports.sources
    if [ "$(id -u)" -eq 0 ]; then
        # One such install at a time on the machine: the source one adds is gone when the next
        # starts, and the next finds installed what the first installed.
        exec 9</etc/apt/sources.list.d
        flock -w 900 9 || { echo "Another run has been installing for 15 minutes; giving up." >&2; exit 1; }
        # The source lives only as long as an install: one still here was left by a run killed
        # outright, or by an earlier version of this script, which kept it.
        if [ -e "$source_file" ]; then
            rm -f "$source_file"
            echo "Removed $source_file, which an earlier run left behind."
        fi
    fi
    backports="$codename-backports"
    missing=()
    # 10.0 is the first release seen to run 32-bit Wine with many threads; older ones do not.
    installed qemu-user && dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user)" ge 1:10 \
        || missing+=("qemu-user/$backports")
    installed gcc || missing+=(gcc)
    [ ${#missing[@]} -eq 0 ] && exit 0

    mirror=$(debian_mirror)
    has_backports=$(apt-get indextargets "Release: $backports" 'Target-Of: deb' | sed -n 1p)
    source_text="Types: deb
URIs: $mirror
Suites: $backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
    if [ -z "$has_backports" ] && [ -z "$mirror" ]; then
        echo "No Debian source for '$codename' in this machine's apt sources to take $backports from." >&2
        exit 1
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages for running 32-bit programs under emulation. As root:" >&2
        if [ -z "$has_backports" ]; then
            echo "  write these lines to $source_file:" >&2
            sed 's/^/    /' <<<"$source_text" >&2
        fi
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        [ -z "$has_backports" ] && echo "  rm $source_file && apt-get update" >&2
        exit 1
    fi
    if [ -z "$has_backports" ]; then
        # Removed on every way out from here: the end of the install, a failure, an interrupt.
        trap '[ ! -e "$source_file" ] || { rm -f "$source_file"; echo "Removed $source_file again."; }' EXIT
        trap 'exit 129' HUP
        trap 'exit 130' INT
        trap 'exit 143' TERM
        echo "Adding $backports from $mirror for this install: $source_file"
        printf '%s\n' "$source_text" >"$source_file"
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    # Without its recommended qemu-user-binfmt, which would register qemu for every foreign
    # architecture, 32-bit x86 included, for good; never by removing a package; and after any other
    # install on the machine rather than failing beside it. apt does not inherit the lock above,
    # which would outlive this script in anything an install leaves running.
    apt-get "${lock[@]}" update -q 9<&-
    apt-get "${lock[@]}" install -y -q --no-install-recommends --no-remove "${missing[@]}" 9<&-
    exit 0
fi

packages=(cmake ninja-build python3 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 googletest fp-utils
          wine64 wine32:i386 xvfb x11-apps x11-utils imagemagick)

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
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
