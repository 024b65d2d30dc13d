#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine. The test folders are filled from the Linux side first:
# Wine looks every new name up without regard to case, so creating 100,000 files through it takes
# time that grows with the square of their number.
# Usage: scripts/bench.sh [BUILD_DIR]   (default: build/x86_64, as made by scripts/test.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/x86_64}" && pwd)
cmake --build "$build" --target bench_listing
data="$build/bench-data"
count=100000
folder="$data/listing-$count"
if [ "$(find "$folder" -maxdepth 1 -type f 2>/dev/null | wc -l)" -lt "$count" ]; then
    mkdir -p "$folder"
    exts=(.txt .doc .jpg .pdf .exe .zip .xml .dat)
    (cd "$folder" && for ((i = 0; i < count; i++)); do echo "file $(( i * 7919 % count ))${exts[i % 8]}"; done | xargs -d '\n' touch)
fi
winpath="Z:${folder//\//\\}"
"$root/scripts/with-display.sh" "$build" "$build/wine-run.sh" "$build/bench/bench_listing.exe" "$count" "$winpath"
