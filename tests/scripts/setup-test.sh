#!/usr/bin/env bash
# The set-up script against stand-in apt-get, dpkg and dpkg-query commands: a package index that
# fails in part and a 32-bit Wine that cannot be had still end in a usable set-up, the 32-bit Wine
# is tried again at every set-up until it installs, and a required
# package that cannot be installed stops the set-up with its name.
set -uo pipefail
setup=$(cd "$(dirname "$0")/../../scripts" && pwd)/setup.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Stand-ins: installed packages are lines of $work/installed; apt-get install fails for any package
# named in $work/unavailable, update exits 100 (an index re-syncing at the mirror).
make_standins() {
    mkdir -p "$work/bin"
    cat >"$work/bin/dpkg-query" <<'S'
#!/bin/sh
grep -qx "$3" "$KAVET_FAKE/installed" && printf 'install ok installed' || exit 1
S
    cat >"$work/bin/dpkg" <<'S'
#!/bin/sh
case "$1" in --print-foreign-architectures) echo i386 ;; esac
S
    cat >"$work/bin/apt-get" <<'S'
#!/bin/sh
echo "apt-get $*" >>"$KAVET_FAKE/log"
case "$1" in update) exit 100 ;; esac
shift
for p in "$@"; do case "$p" in -*) ;; *) grep -qx "$p" "$KAVET_FAKE/unavailable" && exit 100 ;; esac; done
for p in "$@"; do case "$p" in -*) ;; *) echo "$p" >>"$KAVET_FAKE/installed" ;; esac; done
S
    chmod +x "$work/bin/"*
}

run_setup() {
    PATH="$work/bin:$PATH" KAVET_FAKE="$work" KAVET_SETUP_RETRY_PAUSE=0 \
        bash "$setup" >"$work/out" 2>&1
}

check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; cat "$work/out"; failures=$((failures + 1)); fi
}

make_standins
: >"$work/installed"; : >"$work/log"; echo 'wine32:i386' >"$work/unavailable"
run_setup; rc=$?
check "partial index failure and no 32-bit Wine still set up" '[ $rc = 0 ] && grep -qx wine64 "$work/installed"'
check "the missing optional package is named" 'grep -q "wine32:i386" "$work/out"'
check "the index update was retried" '[ "$(grep -c "apt-get update" "$work/log")" -ge 2 ]'

: >"$work/log"
run_setup; rc=$?
check "an optional package that failed is tried again at the next set-up" \
    '[ $rc = 0 ] && grep -q "apt-get install.*wine32:i386" "$work/log"'

: >"$work/log"; : >"$work/unavailable"
run_setup; rc=$?
check "the optional package installs once the index has it" \
    '[ $rc = 0 ] && grep -qx "wine32:i386" "$work/installed"'

: >"$work/installed"; printf 'wine32:i386\nxdotool\n' >"$work/unavailable"
run_setup; rc=$?
check "a required package that cannot be installed fails the set-up with its name" \
    '[ $rc != 0 ] && grep -q "cannot install required packages: xdotool$" "$work/out"'

[ $failures = 0 ]
