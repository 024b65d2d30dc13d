# The console program asked for no operation (only a folder, as a drop on the icon gives) starts
# the window program beside it and returns at once, without an error.
source "$(dirname "$0")/e2e.sh"

com=${KAVET_EXE%.exe}.com
start=$(date +%s)
"$KAVET_WINE_RUN" "$com" "$KAVET_WIN_DIR" </dev/null >"$KAVET_DIR/out.txt" 2>&1 || kavet_fail "Kavet24.com ended with code $?"
[ $(($(date +%s) - start)) -lt 15 ] || kavet_fail "Kavet24.com waited for the window"
[ ! -s "$KAVET_DIR/out.txt" ] || kavet_fail "Kavet24.com printed: $(cat "$KAVET_DIR/out.txt")"
kavet_wait 'main.caption~=Kavet' -- find
kavet_probe post main WM_CLOSE >/dev/null || kavet_fail "cannot close the program"
