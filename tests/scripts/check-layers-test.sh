#!/usr/bin/env bash
# The layer check on small made-up trees: a clean one passes; an include of an area not depended on,
# and a declared dependency that no include uses, each fail with a line that names them.
set -uo pipefail
check=$(cd "$(dirname "$0")/../../scripts" && pwd)/check-layers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Areas low (nothing) and high (DEPENDS low), each with one source including what it is given.
make_tree() { # DEPENDS-of-high INCLUDE-in-high INCLUDE-in-low
    rm -rf "$work/tree"
    mkdir -p "$work/tree/low" "$work/tree/high"
    printf '# kavet_area(NAME DEPENDS <other areas>) in a comment is not an area\n' >"$work/tree/CMakeLists.txt"
    printf 'kavet_area(low\n    LOGIC\n        Low.cpp\n)\n' >"$work/tree/low/CMakeLists.txt"
    printf 'kavet_area(high\n    LOGIC\n        High.cpp\n    DEPENDS %s\n)\n' "$1" >"$work/tree/high/CMakeLists.txt"
    printf '#include "high/High.h"\n%s\n' "$2" >"$work/tree/high/High.cpp"
    printf '#include "low/Low.h"\n%s\n' "$3" >"$work/tree/low/Low.cpp"
}
check_case() { # NAME EXPECTED-STATUS EXPECTED-LINE
    bash "$check" "$work/tree" >"$work/out" 2>&1
    local rc=$?
    if { [ "$2" = pass ] && [ $rc = 0 ]; } || { [ "$2" = fail ] && [ $rc != 0 ] && grep -qF "$3" "$work/out"; }; then
        echo "ok: $1"
    else
        echo "FAILED: $1"; cat "$work/out"; failures=$((failures + 1))
    fi
}

make_tree low '#include "low/Low.h"' ''
check_case "a higher area including the one it depends on passes" pass
make_tree low '#include "low/Low.h"' '#include "high/High.h"'
check_case "a lower area including a higher one fails" fail "area 'low' includes high/High.h of area 'high'"
make_tree low '' ''
check_case "a declared dependency that nothing includes fails" fail \
    "area 'high' declares a dependency on 'low' that none of its files includes"

[ $failures = 0 ]
