# Shared steps of the outside tests, sourced by each tests/e2e/NAME.sh with the arguments CTest
# gives it: WINE_RUN (the build's wine-run.sh), the built Kavet24.exe and KavetProbe.exe.
#
# A test: prepare files in $KAVET_DIR (a fresh temp folder; $KAVET_WIN_DIR is its Windows path)
# and registry state (kavet_probe reg-set-...; the program's key is reset before each test); start
# the program with kavet_start, or kavet_start_in "$KAVET_WIN_DIR" to show that folder; drive it
# with kavet_key / kavet_type / kavet_click; check what it shows with kavet_expect / kavet_wait
# (facts of KavetProbe, see the header of probe/KavetProbe.cpp). The program is killed and the
# folder removed when the script ends, whatever happened. A failed check ends the test with the
# facts it saw. Exit 77 (skipped) without a display or xdotool. Add the test's name to the list
# in CMakeLists.txt here.
set -uo pipefail

KAVET_WINE_RUN=$1
KAVET_EXE=$2
KAVET_PROBE_EXE=$3
KAVET_KEY='Software\Lumarek\Kavet24'
KAVET_PID=

if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null; then
    echo "skipped: needs a display (scripts/with-display.sh) and xdotool"
    exit 77
fi

# Each test starts without an undo journal: a batch another test left cut short would otherwise be
# offered for undo at start.
KAVET_PREFIX=$(sed -n 's/^export WINEPREFIX="\(.*\)"$/\1/p' "$KAVET_WINE_RUN")
[ -n "$KAVET_PREFIX" ] && rm -f "$KAVET_PREFIX"/drive_c/users/*/AppData/Local/Kavet24/journal.txt

KAVET_DIR=$(mktemp -d /tmp/kavet-e2e.XXXXXX)
KAVET_WIN_DIR="Z:${KAVET_DIR//\//\\}"

kavet_cleanup() {
    if [ -n "$KAVET_PID" ]; then
        kill -9 "$KAVET_PID" 2>/dev/null
        wait "$KAVET_PID" 2>/dev/null
    fi
    rm -rf "$KAVET_DIR"
}
trap kavet_cleanup EXIT

kavet_fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# Runs the probe; its arguments and output are UTF-8.
kavet_probe() {
    LC_ALL=C.UTF-8 "$KAVET_WINE_RUN" "$KAVET_PROBE_EXE" "$@" </dev/null
}

# The value of one fact: kavet_fact KEY PROBE_ARGS...
kavet_fact() {
    local key=$1
    shift
    kavet_probe "$@" | sed -n "s/^$key=//p" | head -n 1
}

# Fails unless the fact has the value now: kavet_expect KEY VALUE PROBE_ARGS... ("*" in KEY
# stands for any characters).
kavet_expect() {
    local key=$1 want=$2 facts
    shift 2
    if ! facts=$(kavet_probe wait -t 0 "$key=$want" -- "$@"); then
        echo "$facts" >&2
        kavet_fail "expected $key=$want after probe $*"
    fi
}

# Waits until the conditions hold: kavet_wait CONDITION... -- PROBE_ARGS... (see "wait").
kavet_wait() {
    local facts
    if ! facts=$(kavet_probe wait -t "${KAVET_TIMEOUT_MS:-20000}" "$@"); then
        echo "$facts" >&2
        kavet_fail "waited in vain for $*"
    fi
}

# Starts the program and waits until its first folder is listed and it waits for input.
kavet_start() {
    "$KAVET_WINE_RUN" "$KAVET_EXE" "$@" </dev/null >/dev/null 2>&1 &
    KAVET_PID=$!
    kavet_wait 'main.caption~=Kavet' -- find
    kavet_probe idle >/dev/null || kavet_fail "the program did not become idle"
}

# Starts the program in the folder it remembers from its last run.
kavet_start_in() {
    kavet_probe reg-set-sz "$KAVET_KEY\\Options" Directory "$1" >/dev/null || kavet_fail "cannot store the folder"
    kavet_start
}

# Closes the program as the user does, and waits for its end (settings are stored at close).
kavet_close() {
    kavet_probe post main WM_CLOSE >/dev/null || kavet_fail "cannot close the program"
    local i
    for i in $(seq 1 150); do
        kill -0 "$KAVET_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$KAVET_PID" 2>/dev/null && kavet_fail "the program did not end"
    wait "$KAVET_PID" 2>/dev/null
    KAVET_PID=
}

# The X window that shows the program's window of that caption (a regular expression).
kavet_xwindow() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Real key strokes, as xdotool names them ("Return", "Escape", "ctrl+a"), to the program's active
# window.
kavet_key() {
    kavet_focus_active
    xdotool key --delay 50 "$@"
}

kavet_type() {
    kavet_focus_active
    xdotool type --delay 20 -- "$1"
}

# Gives the X focus to the program's active window, as a window manager would on a click.
kavet_focus_active() {
    local caption x
    caption=$(kavet_fact active.caption focus)
    [ -n "$caption" ] || return 0
    x=$(kavet_xwindow "^$(printf '%s' "$caption" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$")
    [ -n "$x" ] && xdotool windowfocus --sync "$x" 2>/dev/null
    true
}

# A real left click in the middle of the located control (see KavetProbe's locators).
kavet_click() {
    local facts x y
    facts=$(kavet_probe rect "$1") || kavet_fail "no control $1 to click"
    x=$(sed -n 's/^rect.cx=//p' <<<"$facts")
    y=$(sed -n 's/^rect.cy=//p' <<<"$facts")
    xdotool mousemove --sync "$x" "$y" click 1
}

kavet_probe reg-delete "$KAVET_KEY" >/dev/null || kavet_fail "cannot reset the program's registry key"
