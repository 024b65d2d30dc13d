#!/usr/bin/env bash
# Starts the program under a private headless display, waits for its window and saves a picture
# of the screen. Usage: scripts/screenshot.sh [OUTPUT.png] [BUILD_DIR] [program arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot-main.png}")
build=$(cd "${2:-$root/build/x86_64}" && pwd)
shift $(( $# > 2 ? 2 : $# ))
cmake --build "$build" --target Kavet24 >/dev/null
mkdir -p "$(dirname "$out")"
"$root/scripts/with-display.sh" "$build" bash -c '
    "$1/wine-run.sh" "$1/app/Kavet24.exe" "${@:3}" </dev/null >/dev/null 2>&1 &
    sleep "${KAVET_SCREENSHOT_DELAY:-12}"
    import -window root "$2"
' _ "$build" "$out" "$@"
echo "Saved $out"
