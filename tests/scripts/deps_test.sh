#!/bin/sh
# scripts/deps.sh against stand-in apt-get, apt-cache, dpkg and dpkg-query: a package index that fails
# to refresh, a 32-bit Wine that cannot be installed or run, and a required package the registry lacks.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM
mkdir -p "$WORK/bin" "$WORK/tree/scripts"
cp "$ROOT/scripts/deps.sh" "$WORK/tree/scripts/"
CALLS="$WORK/calls"

stand_in() { # name, body
    printf '#!/bin/sh\necho "%s $*" >>"%s"\n%s\n' "$1" "$CALLS" "$2" >"$WORK/bin/$1"
    chmod +x "$WORK/bin/$1"
}
stand_in apt-get '
case "$*" in
*update*) [ -z "${FAKE_UPDATE_FAILS:-}" ] && exit 0
    echo "E: Failed to fetch http://mirror/bookworm-security/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
    echo "E: Some index files failed to download."; exit 100 ;;
*wine32:i386*) [ -z "${FAKE_I386_FAILS:-}" ] && exit 0
    echo "E: Unable to correct problems, you have held broken packages."; exit 100 ;;
*" ${FAKE_MISSING:-none} "*|*" ${FAKE_MISSING:-none}") echo "E: Unable to locate package $FAKE_MISSING"; exit 100 ;;
esac
exit 0'
stand_in apt-cache '[ "$2" = "${FAKE_MISSING:-none}" ] && exit 100; echo "  Candidate: 1.0"; exit 0'
stand_in dpkg-query 'case "$*" in *wine32*) exit 1 ;; esac; [ -n "${FAKE_ALL_INSTALLED:-}" ] && printf "install ok installed"; exit 0'
stand_in dpkg '[ "$1" = --print-foreign-architectures ] && exit 0; exit 0'
stand_in id 'echo 0'

fail=0
check() { # description, condition...
    what=$1; shift
    "$@" || { echo "FAIL: $what"; fail=1; }
}
run() { # environment assignments for one run of the script
    : >"$CALLS"
    env PATH="$WORK/bin:$PATH" "$@" sh "$WORK/tree/scripts/deps.sh" >"$WORK/out" 2>"$WORK/err"
    rc=$?
}
said() { grep -q "$1" "$WORK/out" "$WORK/err"; }
called() { grep -q "$1" "$CALLS"; }
lines_saying() { cat "$WORK/out" "$WORK/err" | grep -c "$1"; }

# A refresh that fails, on a kernel without 32-bit code: the packages still install, each fact said once.
run FAKE_UPDATE_FAILS=1 TNWK_KERNEL_RUNS_32BIT=no
check "a failed refresh stops the set-up (rc $rc)" [ "$rc" -eq 0 ]
check "the failed refresh is said in one line" [ "$(lines_saying 'could not be refreshed')" -eq 1 ]
check "the refresh's message is quoted" said "Mirror sync in progress"
check "the 64-bit packages were not installed" called "apt-get install .* wine64 "
check "the i386 architecture was added on a kernel without 32-bit code" sh -c "! grep -q add-architecture '$CALLS'"
check "the 64-bit mode is not said" [ "$(lines_saying '64-bit build under 64-bit Wine')" -eq 1 ]
# The next set-up remembers it and says nothing more.
run FAKE_ALL_INSTALLED=1 TNWK_KERNEL_RUNS_32BIT=no
check "a second run says the 64-bit mode again" [ ! -s "$WORK/out" ]
check "a second run calls apt-get" sh -c "! grep -q apt-get '$CALLS'"
rm -f "$WORK/tree/build/.no-wine32"

# A 32-bit Wine that cannot be installed: tried after the 64-bit packages (twice), then given up and
# the i386 architecture removed again.
run FAKE_I386_FAILS=1 TNWK_KERNEL_RUNS_32BIT=yes
check "a failed 32-bit install stops the set-up (rc $rc)" [ "$rc" -eq 0 ]
check "the 32-bit Wine was tried before the 64-bit packages" \
    [ "$(grep -n 'install .*wine64 ' "$CALLS" | cut -d: -f1)" -lt "$(grep -n 'wine32:i386' "$CALLS" | head -1 | cut -d: -f1)" ]
check "no second try with the main suite preferred" called "PreferencesParts=.* wine32:i386"
check "apt's reason is not given" said "held broken packages"
check "the added architecture stays" called "dpkg --remove-architecture i386"
check "the 64-bit mode is not said once" [ "$(lines_saying '64-bit build under 64-bit Wine')" -eq 1 ]
rm -f "$WORK/tree/build/.no-wine32"

# A required package the registry does not have: the set-up stops, naming it and the message.
run FAKE_MISSING=nsis TNWK_KERNEL_RUNS_32BIT=no
check "a missing package does not stop the set-up" [ "$rc" -ne 0 ]
check "the missing package is not named with apt's message" grep -q "nsis: Unable to locate package nsis" "$WORK/err"
check "the 32-bit Wine was tried after a failure" sh -c "! grep -q wine32 '$CALLS'"

[ "$fail" -eq 0 ] || { echo "--- last output:"; cat "$WORK/out" "$WORK/err"; }
exit $fail
