# Closing at any moment: closed while a batch renames a large folder, then re-lists it, and with a
# new mask typed but not applied, the program ends normally (no crash) and watches nothing more.
source "$(dirname "$0")/e2e.sh"

for i in $(seq 1 1500); do
    : >"$KAVET_DIR/fichier$i.txt"
done
kavet_probe reg-set-dword "$KAVET_KEY\\Options" FirstMaj 0 >/dev/null || kavet_fail "cannot skip the confirmation"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=1500' -- list

kavet_click 'main/=*.*' # the mask box selects its whole text on a click
kavet_type '*.txt'
kavet_wait 'focus.text=*.TXT' -- focus
kavet_key alt+o m # "Majuscules" over the whole folder
kavet_probe post main WM_CLOSE >/dev/null || kavet_fail "cannot close the program"
for i in $(seq 1 300); do
    kill -0 "$KAVET_PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$KAVET_PID" 2>/dev/null && kavet_fail "the program did not end"
wait "$KAVET_PID"
status=$?
KAVET_PID=
[ "$status" = 0 ] || kavet_fail "the program ended with status $status"
[ -e "$KAVET_DIR/FICHIER1500.TXT" ] || kavet_fail "the batch did not finish its files"
