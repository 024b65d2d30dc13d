#!/usr/bin/env bash
# Runs a command with a private headless X display and a persistent Wine server for the build's
# prefix, and stops both afterwards. Usage: scripts/with-display.sh BUILD_DIR COMMAND...
set -uo pipefail
build=$(cd "$1" && pwd); shift
here=$(cd "$(dirname "$0")" && pwd)
source "$here/display.sh"
kavet_start_xvfb || exit 1
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
arch=win64
grep -q '^KAVET_WINEARCH:INTERNAL=win32$' "$build/CMakeCache.txt" 2>/dev/null && arch=win32
"$here/wine-prefix.sh" "$WINEPREFIX" "$arch" </dev/null >/dev/null 2>&1
# Wine's helper processes must not hold this script's output open, or callers wait for them.
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 &
# Start Wine's services now: a test that started them would hand them its output pipe, and the
# test runner would wait for that pipe to close.
loader=/usr/lib/wine/wine64
[ "$arch" = win32 ] && loader=wine
WINEARCH=$arch "$loader" cmd /c exit </dev/null >/dev/null 2>&1
# Wine closes its desktop whenever no program uses it and starts the desktop process again for the
# next window, from that program and with its output: a test runner would then wait for the
# desktop until the test's time-out. A hidden window held for the whole run keeps one desktop,
# started here with its output detached.
holder="$build/tests/e2e/KavetProbe.exe"
if [ -f "$holder" ]; then
    holder_log=$(mktemp)
    WINEARCH=$arch "$loader" "$holder" hold-desktop </dev/null >"$holder_log" 2>&1 &
    for _ in $(seq 1 100); do grep -q ready "$holder_log" && break; sleep 0.1; done
    rm -f "$holder_log"
fi
"$@"
rc=$?
/usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1
exit $rc
