# A long batch shows its progress, keeps the window answering, and stops after the current file
# when the user presses Escape: the files done stay done, the others keep their names, and the
# status bar says how many were changed and how many were not reached.
source "$(dirname "$0")/e2e.sh"

for i in $(seq 1 4000); do
    : >"$KAVET_DIR/fichier$i.txt"
done
kavet_probe reg-set-dword "$KAVET_KEY\\Options" FirstMaj 0 >/dev/null || kavet_fail "cannot skip the confirmation"
kavet_start_in "$KAVET_WIN_DIR"
KAVET_TIMEOUT_MS=60000 kavet_wait 'list.count=4000' -- list

kavet_key alt+o m # "Majuscules" over the whole folder
kavet_wait 'window.*.buttons~=&Arrêter' 'window.*.text~=Fichier ' -- windows
kavet_probe send main WM_NULL >/dev/null || kavet_fail "the main window does not answer during the batch"
kavet_key Escape
KAVET_TIMEOUT_MS=60000 kavet_wait 'windows.count=1' -- windows
kavet_wait 'status.2~=non traités (opération arrêtée)' -- status
upper=$(ls "$KAVET_DIR" | grep -c '^FICHIER')
lower=$(ls "$KAVET_DIR" | grep -c '^fichier')
[ "$upper" -gt 0 ] && [ "$lower" -gt 0 ] || kavet_fail "expected some files done and some not: $upper done, $lower not"
[ $((upper + lower)) = 4000 ] || kavet_fail "files lost: $upper + $lower"
