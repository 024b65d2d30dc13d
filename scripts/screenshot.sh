#!/usr/bin/env bash
# Starts the program in a Wine virtual desktop on a private headless display, waits for its window
# and saves a picture of that window, title bar included: in a virtual desktop Wine draws the window
# frames itself (there is no window manager). Usage:
#   scripts/screenshot.sh [OUTPUT.png] [BUILD_DIR] [program arguments...]
# KAVET_SCREENSHOT_KEYS: keys (xdotool names) typed once the window is drawn, with the mouse at
# KAVET_SCREENSHOT_POINTER ("X,Y" in the window, where the operation dialogs open); the picture then
# also holds the windows they open. The "Horodatage" dialog in front of the main window:
#   KAVET_SCREENSHOT_KEYS="alt+o d" scripts/screenshot.sh docs/screenshot-datetime.png
set -euo pipefail
# The program follows the user's regional settings: a French user's, where this machine has them
# (localedef -i fr_FR -f UTF-8 fr_FR.UTF-8); a locale the machine lacks would garble file names.
if [ -z "${LC_ALL:-}" ] && locale -a 2>/dev/null | grep -qix 'fr_FR\.utf-\?8'; then export LC_ALL=fr_FR.UTF-8; fi
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot-main.png}")
build=$(cd "${2:-$root/build/x86_64}" && pwd)
shift $(( $# > 2 ? 2 : $# ))
cmake --build "$build" --target Kavet24 >/dev/null
mkdir -p "$(dirname "$out")"

# Prints "ID X Y WIDTH HEIGHT" for each shown window of the program, in the order X lists them.
program_windows() {
    local id
    for id in $(xdotool search --onlyvisible --classname '^kavet24\.exe$' 2>/dev/null); do
        xwininfo -id "$id" | awk -v id="$id" '
            /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
            /Width:/ {w = $NF} /Height:/ {h = $NF}
            END {if (w > 8 && h > 8) print id, x, y, w, h}'
    done
}

# Waits (at most $1 tenths of a second) until the program shows $2 windows or more.
wait_for_windows() {
    local n
    for n in $(seq 1 "$1"); do
        [ "$(program_windows | wc -l)" -ge "$2" ] && return 0
        sleep 0.1
    done
    echo "screenshot: the program showed no window in time" >&2
    return 1
}

# Waits until what the program shows stops changing (two equal pictures 0.4 s apart), at most 10 s.
wait_until_drawn() {
    local last="" now n
    for n in $(seq 1 25); do
        sleep 0.4
        now=$(import -window root rgb:- 2>/dev/null | md5sum)
        [ "$now" = "$last" ] && return 0
        last=$now
    done
}

shoot() {
    local build=$1 out=$2 exe desk x y w h id x0 y0 x1 y1 px py
    shift 2
    exe=$("$build/wine-run.sh" winepath -w "$build/app/Kavet24.exe" 2>/dev/null)
    # The desktop is larger than the window so that Wine places and frames it as on a screen.
    desk=${KAVET_SCREENSHOT_DESKTOP:-1200x900}
    "$build/wine-run.sh" explorer "/desktop=Kavet24,$desk" "$exe" "$@" </dev/null >/dev/null 2>&1 &
    wait_for_windows 600 1
    wait_until_drawn
    read -r id x y w h < <(program_windows | head -n 1)
    if [ -n "${KAVET_SCREENSHOT_KEYS:-}" ]; then
        IFS=, read -r px py <<<"${KAVET_SCREENSHOT_POINTER:-186,66}"
        # A click on the title bar gives the window the keyboard; then the mouse goes where the
        # dialog is to open.
        xdotool mousemove $((x + w / 2)) $((y + 8)) click 1
        xdotool mousemove $((x + px)) $((y + py))
        # shellcheck disable=SC2086  # one word per key
        xdotool key --delay 150 $KAVET_SCREENSHOT_KEYS
        wait_for_windows 100 2
        wait_until_drawn
    fi
    # The picture covers every window the program shows: the main window and any dialog over it.
    read -r x0 y0 x1 y1 < <(program_windows | awk '
        NR == 1 || $2 < x0 {x0 = $2} NR == 1 || $3 < y0 {y0 = $3}
        NR == 1 || $2 + $4 > x1 {x1 = $2 + $4} NR == 1 || $3 + $5 > y1 {y1 = $3 + $5}
        END {print x0, y0, x1, y1}')
    import -window root -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$out"
}
export -f program_windows wait_for_windows wait_until_drawn shoot

"$root/scripts/with-display.sh" "$build" bash -c 'shoot "$@"' _ "$build" "$out" "$@"
echo "Saved $out"
