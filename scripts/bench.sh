#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine, each with the benchmark data folder as its argument.
# The 100,000-file folder is filled from the Linux side first: Wine looks every new name up without
# regard to case, so creating 100,000 files through it takes time that grows with the square of
# their number. Benchmarks that need smaller data make it themselves inside the data folder.
# Usage: scripts/bench.sh [BUILD_DIR [BENCH_NAME...]]
#   default: optimised (Release) builds made here, build/bench-x86_64 and, where 32-bit Wine runs,
#   build/bench-i686 too, since the shipped program is the 32-bit one; every benchmark when none is
#   named. Each build's figures come under a heading that names its processor.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The processor a build folder compiles for, from the Wine architecture its CMake cache keeps.
processor() {
    if grep -q '^KAVET_WINEARCH:INTERNAL=win32$' "$1/CMakeCache.txt" 2>/dev/null; then
        echo "i686 (32-bit)"
    else
        echo "x86_64 (64-bit)"
    fi
}

# Fills the build's data folder once with the files the listing benchmark reads.
make_data() {
    local folder=$1/listing-$count
    if [ "$(find "$folder" -maxdepth 1 -type f 2>/dev/null | wc -l)" -lt "$count" ]; then
        mkdir -p "$folder"
        local exts=(.txt .doc .jpg .pdf .exe .zip .xml .dat)
        (cd "$folder" && for ((i = 0; i < count; i++)); do echo "file $(( i * 7919 % count ))${exts[i % 8]}"; done |
            xargs -d '\n' touch)
    fi
}

# The headless display has no window manager. Wine then waits 2 s, each time it hides a window a
# manager would decorate, for an answer that never comes: every batch's progress window would cost
# 2 s more than on a desktop, where the manager answers at once. Told that windows are unmanaged,
# Wine waits for nobody, as on that desktop. Only the benchmarks' prefix is told so.
unmanaged_windows() {
    local loader=/usr/lib/wine/wine64
    grep -q '^KAVET_WINEARCH:INTERNAL=win32$' "$1/CMakeCache.txt" 2>/dev/null && loader=wine
    "$root/scripts/with-display.sh" "$1" "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed \
        /d N /f >/dev/null 2>&1 || echo "warning: Wine could not be told that windows are unmanaged"
}

# Builds the named benchmarks of one build folder and runs them; a failure marks the status and
# lets the other benchmarks and builds run.
run_build() {
    local build=$1
    echo "#### $(processor "$build")"
    if ! cmake --build "$build" --target "${names[@]}"; then
        status=1
        return
    fi
    local data=$build/bench-data
    make_data "$data"
    unmanaged_windows "$build"
    local winpath="Z:${data//\//\\}"
    for name in "${names[@]}"; do
        echo "== $name"
        timeout 1200 "$root/scripts/with-display.sh" "$build" "$build/wine-run.sh" "$build/bench/$name.exe" \
            "$winpath" || status=1
    done
}

builds=()
if [ $# -gt 0 ]; then
    builds+=("$(cd "$1" && pwd)")
    shift
else
    archs=(x86_64)
    if "$root/scripts/runs-32bit.sh"; then archs+=(i686); fi
    for arch in "${archs[@]}"; do
        build=$root/build/bench-$arch
        cmake -S "$root" -B "$build" -G Ninja -DKAVET_TESTS=OFF -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" >/dev/null
        builds+=("$build")
    done
fi
if [ $# -gt 0 ]; then
    names=("$@")
else
    names=()
    for source in "$root"/bench/bench_*.cpp; do names+=("$(basename "$source" .cpp)"); done
fi

count=100000
status=0
for build in "${builds[@]}"; do
    run_build "$build"
done
exit $status
