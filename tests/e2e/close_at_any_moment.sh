# Closing at any moment: with a new mask typed but not applied, while another program keeps
# changing the folder shown, the program ends normally (no crash) when it is closed.
source "$(dirname "$0")/e2e.sh"

touch "$KAVET_DIR/un.txt" "$KAVET_DIR/deux.doc"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=2' -- list

kavet_click 'main/=*.*' # the mask box selects its whole text on a click
kavet_type '*.txt'
kavet_wait 'focus.text=*.TXT' -- focus
for i in $(seq 1 40); do
    touch "$KAVET_DIR/change$i.txt"
    sleep 0.02
done &
changes=$!
sleep 0.2
kavet_probe post main WM_CLOSE >/dev/null || kavet_fail "cannot close the program"
wait "$changes"
for i in $(seq 1 150); do
    kill -0 "$KAVET_PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$KAVET_PID" 2>/dev/null && kavet_fail "the program did not end"
wait "$KAVET_PID"
status=$?
KAVET_PID=
[ "$status" = 0 ] || kavet_fail "the program ended with status $status"
