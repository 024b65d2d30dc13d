#!/usr/bin/env bash
# Sets up this machine, checks the layering of the areas and the formatting, builds everything and
# runs every test headless (Xvfb, Wine):
#  1. the platform-free logic, natively, with AddressSanitizer and UndefinedBehaviorSanitizer;
#  2. a short run of every fuzz target;
#  3. the Windows program and its tests under Wine;
#  4. the program, its tests and benchmarks for the other processor (32- or 64-bit), compiled with
#     warnings as errors even where they cannot run;
#  5. where 32-bit Wine runs, the 32-bit program in a 64-bit prefix, where System32 is redirected;
#  6. the installer packages and the portable zip of those two programs, installed, started,
#     upgraded and uninstalled under Wine.
# Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAVET_BUILD_DIR:-$root/build}
fuzz_seconds=${KAVET_FUZZ_SECONDS:-10}

if [ "$(id -u)" = 0 ]; then bash "$root/scripts/setup.sh"; else sudo bash "$root/scripts/setup.sh"; fi

# Compiler cache: a second run recompiles only what changed. Paths are taken relative to the
# checkout, so that another clone of the same sources hits the same entries.
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi

echo "== Layers and formatting"
bash "$root/scripts/check-layers.sh" "$root"
# Every source as the committed .clang-format lays it out; a difference fails with its place.
(cd "$root" && find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort |
    xargs clang-format --dry-run --Werror)

echo "== Platform-free logic with sanitizers"
cmake -S "$root" -B "$build/native" -G Ninja -DKAVET_LOGIC_ONLY=ON -DKAVET_SANITIZE=ON \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/native"
ctest --test-dir "$build/native" --output-on-failure -j "$(nproc)"

echo "== Fuzz targets, ${fuzz_seconds} s each"
shopt -s nullglob
for target in "$build"/native/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    corpus="$build/native/fuzz/corpus-$(basename "$target")"
    mkdir -p "$corpus"
    echo "-- $(basename "$target")"
    "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus" 2>&1 | tail -n 2
done

# The shipped program is 32-bit: its tests are the ones run wherever this machine runs 32-bit Wine.
# Elsewhere they run on the 64-bit build of the same sources.
if "$root/scripts/runs-32bit.sh"; then
    test_arch=i686; other_arch=x86_64
else
    test_arch=x86_64; other_arch=i686
    echo "32-bit Wine cannot run here: the 32-bit program and its tests are built, the tests run on the 64-bit build."
fi

echo "== Windows program and tests ($test_arch, under Wine)"
cmake -S "$root" -B "$build/$test_arch" -G Ninja -DKAVET_TESTS=ON -DKAVET_BENCH=ON -DKAVET_DISCOVER_TESTS=ON \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$test_arch-mingw.cmake" >/dev/null
# Building lists the tests by running them under Wine, so it needs the display too.
"$root/scripts/with-display.sh" "$build/$test_arch" cmake --build "$build/$test_arch"
"$root/scripts/with-display.sh" "$build/$test_arch" "$root/scripts/ctest-wine.sh" "$build/$test_arch"

echo "== Windows program, tests and benchmarks ($other_arch, compiled only)"
# Optimised, as shipped: the optimiser's extra warnings are errors too. A fault only this processor
# shows (a lambda passed where Windows wants a CALLBACK, on i686) fails here, on any machine.
cmake -S "$root" -B "$build/$other_arch" -G Ninja -DKAVET_TESTS=ON -DKAVET_BENCH=ON -DKAVET_DISCOVER_TESTS=OFF \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$other_arch-mingw.cmake" >/dev/null
cmake --build "$build/$other_arch"

echo "== The 32-bit program on 64-bit Windows (WoW64)"
if [ "$test_arch" = i686 ]; then
    "$root/scripts/with-display.sh" "$build/x86_64" bash "$root/tests/wow64/system32-test.sh" \
        "$build/i686/app/Kavet24.exe"
else
    echo "Skipped: 32-bit Wine cannot run here."
fi

echo "== Installer packages and portable zip (under Wine)"
# The 64-bit prefix installs both packages; the programs are the two built above, not rebuilt.
"$root/scripts/with-display.sh" "$build/x86_64" bash "$root/tests/package/install-test.sh" "$build"
echo "All tests passed."
