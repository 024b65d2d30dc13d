#!/usr/bin/env bash
# Runs a Windows build's tests under Wine (inside scripts/with-display.sh) and retries only the
# tests that never reached their program's main(): Wine failed to start them, which says nothing
# of the code under test. Any other failure, a hang inside a test included, fails the run.
# Usage: scripts/ctest-wine.sh BUILD_DIR [CTEST_ARGS...]
set -uo pipefail
build=$1; shift
log="$build/Testing/Temporary/LastTest.log"
failed_list="$build/Testing/Temporary/LastTestsFailed.log"

ctest --test-dir "$build" --output-on-failure --timeout 120 -j "$(nproc)" "$@" && exit 0

# Each test's block in the log runs from "N/M Testing: NAME" to its end time; a test program of
# ours prints "Running main()" first thing, so a block without it never got past Wine's start.
mapfile -t startup < <(awk '
    /^[0-9]+\/[0-9]+ Testing: / { name = $0; sub(/^[0-9]+\/[0-9]+ Testing: /, "", name); gtest = 0; reached = 0; next }
    /^Command: .*_tests\.exe/ { gtest = 1 }
    /Running main\(\) from/ { reached = 1 }
    /^"[^"]*" end time:/ { if (gtest && !reached) print name }
' "$log" | sort -u)
mapfile -t failed < <(cut -d: -f2- "$failed_list" | sort -u)
others=$(comm -23 <(printf '%s\n' "${failed[@]}") <(printf '%s\n' "${startup[@]}"))
if [ -n "$others" ] || [ ${#failed[@]} -eq 0 ]; then
    echo "Failed tests:" $others
    exit 1
fi
pattern=$(printf '%s\n' "${failed[@]}" | sed 's/[][\.*^$+?(){}|]/\\&/g' | paste -sd'|')
echo "Wine could not start ${#failed[@]} test(s); running them again."
ctest --test-dir "$build" --output-on-failure --timeout 120 -R "^($pattern)\$"
rc=$?
echo "Retried after a Wine start-up failure: ${failed[*]}"
exit $rc
