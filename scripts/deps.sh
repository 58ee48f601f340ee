#!/bin/sh
# Installs the Debian packages the build, the Wine runs and the tests need, if any are missing.
# The 64-bit packages come first and are required. The 32-bit Wine (which runs the shipped 32-bit
# program) is tried after them: where this kernel runs no 32-bit code, or the package cannot be
# installed, the set-up carries on with 64-bit Wine, which the scripts then use for every Wine run.
# A package index that fails to refresh (a mirror in the middle of a sync, say) is reported and
# ignored as long as what is needed can still be installed.
set -u
PACKAGES="wine wine64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools cmake ninja-build g++ \
googletest xvfb xdotool imagemagick ghostscript fonts-wine fonts-liberation clang libclang-rt-14-dev clang-format \
cppcheck x11-utils nsis desktop-file-utils shared-mime-info"
WINE32=wine32:i386
ROOT=$(cd "$(dirname "$0")/.." && pwd)
NO_WINE32="$ROOT/build/.no-wine32"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
LOG=$(mktemp)
trap 'rm -f "$LOG" "$LOG.elf"' EXIT

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
missing_of() {
    for p in "$@"; do installed "$p" || printf ' %s' "$p"; done
}
# apt's first error line, without its "E: " prefix.
apt_error() { grep -m1 '^E:' "$LOG" | sed 's/^E: *//'; }

refresh_indexes() {
    if ! $SUDO apt-get update -qq >"$LOG" 2>&1; then
        echo "note: some package indexes could not be refreshed ($(apt_error)); carrying on with the lists there are"
    fi
}
apt_install() {
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@" >"$LOG" 2>&1
}

# Whether this kernel runs 32-bit x86 programs: a 93-byte 32-bit ELF program that only exits with 0.
# TNWK_KERNEL_RUNS_32BIT=yes|no answers for it (the scripts' test).
runs_32bit_code() {
    case "${TNWK_KERNEL_RUNS_32BIT:-}" in yes) return 0 ;; no) return 1 ;; esac
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >"$LOG.elf"
    printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000' >>"$LOG.elf"
    printf '\270\001\000\000\000\061\333\315\200' >>"$LOG.elf"
    chmod +x "$LOG.elf"
    "$LOG.elf" 2>/dev/null
}

install_required() {
    missing=$(missing_of $PACKAGES)
    [ -z "$missing" ] && return 0
    echo "installing:$missing"
    refresh_indexes
    apt_install $missing && return 0
    for p in $missing; do
        if ! apt-cache show "$p" >/dev/null 2>&1 || [ "$(apt-cache policy "$p" | sed -n 's/ *Candidate: *//p')" = "(none)" ]; then
            echo "cannot install the required package $p: $(apt_error)" >&2
            exit 1
        fi
    done
    echo "cannot install the required packages:$missing: $(apt_error)" >&2
    exit 1
}

# A security suite newer than the main one for one architecture only (its other list failing to
# refresh) leaves the i386 libraries no version equal to the installed amd64 ones. The second try
# prefers the main suite for this one call, through a preferences file that lives only as long as it.
install_wine32_pinned() {
    prefs=$(mktemp -d)
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$prefs/tnwk-wine32"
    apt_install -o Dir::Etc::PreferencesParts="$prefs" "$WINE32"
    rc=$?
    rm -rf "$prefs"
    return $rc
}

# Says once why there is no 32-bit Wine; later runs see the note in build/ and stay quiet.
no_wine32() {
    echo "note: $1: the tests run the 64-bit build under 64-bit Wine"
    mkdir -p "$ROOT/build" && echo "$1" >"$NO_WINE32"
}

install_wine32() {
    installed "$WINE32" && return 0
    [ -f "$NO_WINE32" ] && return 0
    if ! runs_32bit_code; then
        no_wine32 "this kernel runs no 32-bit programs, so there is no 32-bit Wine"
        return 0
    fi
    added_i386=""
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        echo "adding the i386 architecture to dpkg for the 32-bit Wine"
        $SUDO dpkg --add-architecture i386
        added_i386=yes
    fi
    echo "installing: $WINE32"
    refresh_indexes
    apt_install "$WINE32" && return 0
    install_wine32_pinned && return 0
    no_wine32 "the 32-bit Wine cannot be installed ($(apt_error))"
    if [ -n "$added_i386" ] && $SUDO dpkg --remove-architecture i386 2>/dev/null; then
        echo "removed the i386 architecture again"
    fi
    return 0
}

install_required
install_wine32
