#!/usr/bin/env bash
# Sets up this machine, builds the program and starts it: under Wine on the user's display on
# Linux (in a Wine prefix of its own inside the build folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAVET_BUILD_DIR:-$root/build}
if [ "$(id -u)" = 0 ]; then bash "$root/scripts/setup.sh"; else sudo bash "$root/scripts/setup.sh"; fi
if /usr/lib/wine/wine --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
cmake -S "$root" -B "$build/run-$arch" -G Ninja -DKAVET_TESTS=OFF -DKAVET_BENCH=OFF -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" >/dev/null
cmake --build "$build/run-$arch" --target Kavet24
if [ -z "${DISPLAY:-}" ]; then
    echo "No X display: set DISPLAY (or use scripts/screenshot.sh for a headless run)." >&2
    exit 1
fi
exec "$build/run-$arch/wine-run.sh" "$build/run-$arch/app/Kavet24.exe" "$@"
