# Ctrl+Z takes the last batch back: names upper-cased with the keyboard come back as they were once
# the undo window, which chose that batch, is accepted with Enter.
source "$(dirname "$0")/e2e.sh"

: >"$KAVET_DIR/one.txt"
: >"$KAVET_DIR/two.txt"
kavet_probe reg-set-dword "$KAVET_KEY\\Options" FirstMaj 0 >/dev/null || kavet_fail "cannot skip the confirmation"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=2' -- list

kavet_key alt+o m # "Majuscules" over the whole folder
kavet_wait 'list.*~=ONE.TXT' 'list.*~=TWO.TXT' -- list
kavet_key ctrl+z
kavet_wait 'active.caption=Annuler une opération' -- focus
kavet_wait 'list.count=1' 'list.*~=Majuscules|2|' -- list 'top:Annuler une opération/SysListView32'
kavet_key Return
kavet_wait 'windows.count=1' -- windows
kavet_wait 'list.*~=one.txt' 'list.*~=two.txt' -- list
[ -e "$KAVET_DIR/one.txt" ] && [ -e "$KAVET_DIR/two.txt" ] || kavet_fail "the names did not come back"
