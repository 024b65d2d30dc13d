#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine, each with the benchmark data folder as its argument.
# The 100,000-file folder is filled from the Linux side first: Wine looks every new name up without
# regard to case, so creating 100,000 files through it takes time that grows with the square of
# their number. Benchmarks that need smaller data make it themselves inside the data folder.
# Usage: scripts/bench.sh [BUILD_DIR [BENCH_NAME...]]
#   default BUILD_DIR: build/bench-ARCH, an optimised (Release) build made here for the processor
#   the tests run on; every benchmark when none is named.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -gt 0 ]; then
    build=$(cd "$1" && pwd)
    shift
else
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
    build=$root/build/bench-$arch
    cmake -S "$root" -B "$build" -G Ninja -DKAVET_TESTS=OFF -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" >/dev/null
fi
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
