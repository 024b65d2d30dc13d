#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine, each with the benchmark data folder as its argument.
# The 100,000-file folder is filled from the Linux side first: Wine looks every new name up without
# regard to case, so creating 100,000 files through it takes time that grows with the square of
# their number. Benchmarks that need smaller data make it themselves inside the data folder.
# Usage: scripts/bench.sh [BUILD_DIR [BENCH_NAME...]]   (default: build/x86_64, every benchmark)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/x86_64}" && pwd)
shift || true
if [ $# -gt 0 ]; then
    names=("$@")
else
    names=()
    for source in "$root"/bench/bench_*.cpp; do names+=("$(basename "$source" .cpp)"); done
fi
cmake --build "$build" --target "${names[@]}"

data="$build/bench-data"
count=100000
folder="$data/listing-$count"
if [ "$(find "$folder" -maxdepth 1 -type f 2>/dev/null | wc -l)" -lt "$count" ]; then
    mkdir -p "$folder"
    exts=(.txt .doc .jpg .pdf .exe .zip .xml .dat)
    (cd "$folder" && for ((i = 0; i < count; i++)); do echo "file $(( i * 7919 % count ))${exts[i % 8]}"; done | xargs -d '\n' touch)
fi

winpath="Z:${data//\//\\}"
status=0
for name in "${names[@]}"; do
    echo "== $name"
    timeout 1200 "$root/scripts/with-display.sh" "$build" "$build/wine-run.sh" "$build/bench/$name.exe" "$winpath" || status=1
done
exit $status
