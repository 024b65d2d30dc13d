#!/usr/bin/env bash
# Creates a private Wine prefix (win64 or win32). An X display must be present, or Wine records that no
# graphics driver could be loaded and windows fail later.
set -euo pipefail
prefix=$1
arch=${2:-win64}
[ -f "$prefix/system.reg" ] && exit 0
if [ -z "${DISPLAY:-}" ]; then
    echo "wine-prefix: no DISPLAY; start Xvfb first" >&2
    exit 1
fi
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$arch" = win64 ]; then loader=/usr/lib/wine/wine64; else loader=wine; fi
"$loader" wineboot -i >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w || true
[ -f "$prefix/system.reg" ] || { echo "wine-prefix: could not create $prefix" >&2; exit 1; }
echo "Wine prefix ready: $prefix"
