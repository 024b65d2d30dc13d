#!/usr/bin/env bash
# Checks that every area includes only itself and the areas it depends on, directly or through
# another: each folder's CMakeLists.txt declares its area with kavet_area(NAME ... DEPENDS ...),
# and an #include "folder/file.h" names the area of that folder. A lower area that includes a
# higher one fails here, with the file, the line and both areas; so does a declared dependency that
# no file of the area includes, which would only link what the area does not use.
# Usage: scripts/check-layers.sh [SOURCE_ROOT]
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"

declare -A area_of_dir deps
# The areas: folder, name and direct dependencies, read from the kavet_area() calls.
while IFS= read -r file; do
    dir=$(dirname "$file")
    text=$( (grep -v '^[[:space:]]*#' "$file" || true) | tr '\n' ' ')
    [[ $text =~ kavet_area\(([A-Za-z0-9_]+)([^\)]*)\) ]] || continue
    name=${BASH_REMATCH[1]}
    body=${BASH_REMATCH[2]}
    area_of_dir[$dir]=$name
    if [[ $body =~ DEPENDS([^A-Z]*) ]]; then
        deps[$name]=$(echo "${BASH_REMATCH[1]}" | xargs)
    else
        deps[$name]=""
    fi
done < <(find . -path ./build -prune -o -path ./tests -prune -o -name CMakeLists.txt -print | sed 's|^\./||')

# Everything an area may include: itself and its dependencies' closure.
declare -A reach
closure() {
    local name=$1 seen=" $1 " queue=($1) next dep
    while [ ${#queue[@]} -gt 0 ]; do
        next=${queue[0]}
        queue=("${queue[@]:1}")
        for dep in ${deps[$next]:-}; do
            if [[ $seen != *" $dep "* ]]; then
                seen+="$dep "
                queue+=("$dep")
            fi
        done
    done
    reach[$name]=$seen
}
for name in "${area_of_dir[@]}"; do closure "$name"; done

# The area of a path: the longest area folder it lies in.
area_of() {
    local dir=$(dirname "$1") 
    while [ "$dir" != "." ] && [ -z "${area_of_dir[$dir]:-}" ]; do dir=$(dirname "$dir"); done
    echo "${area_of_dir[$dir]:-}"
}

failures=0
declare -A used # "area dependency" pairs that an include of the area uses
for dir in "${!area_of_dir[@]}"; do
    for source in "$dir"/*.cpp "$dir"/*.h; do
        [ -e "$source" ] || continue
        own=$(area_of "$source")
        while IFS=: read -r line include; do
            target=$(area_of "$include")
            [ -n "$target" ] || continue
            used["$own $target"]=1
            if [[ ${reach[$own]} != *" $target "* ]]; then
                echo "$source:$line: area '$own' includes $include of area '$target', which it does not depend on"
                failures=$((failures + 1))
            fi
        done < <(grep -n '^#include "' "$source" | sed 's/^\([0-9]*\):#include "\([^"]*\)".*/\1:\2/')
    done
done

for name in "${!deps[@]}"; do
    for dep in ${deps[$name]}; do
        if [ -z "${used["$name $dep"]:-}" ]; then
            echo "area '$name' declares a dependency on '$dep' that none of its files includes"
            failures=$((failures + 1))
        fi
    done
done

# A dependency cycle would let two areas include each other.
for name in "${!deps[@]}"; do
    for dep in ${deps[$name]}; do
        if [[ ${reach[$dep]:-} == *" $name "* ]]; then
            echo "areas '$name' and '$dep' depend on each other"
            failures=$((failures + 1))
        fi
    done
done

if [ $failures -gt 0 ]; then
    echo "$failures fault(s) in the layers"
    exit 1
fi
echo "layers: every include stays within its area's dependencies (${#area_of_dir[@]} areas)"
