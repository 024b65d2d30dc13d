# A batch that could not do every file says so: upper-casing a folder that holds "twin.txt" next to
# "TWIN.TXT" leaves both alone and opens the "Rapport" window naming them and why; once it is
# closed, the status bar tells how many files were changed.
source "$(dirname "$0")/e2e.sh"

: >"$KAVET_DIR/twin.txt"
: >"$KAVET_DIR/TWIN.TXT"
: >"$KAVET_DIR/other.txt"
# A folder that cannot hold two names differing only in case has nothing to show here.
[ "$(ls "$KAVET_DIR" | wc -l)" = 3 ] || exit 77
kavet_probe reg-set-dword "$KAVET_KEY\\Options" FirstMaj 0 >/dev/null || kavet_fail "cannot skip the confirmation"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=3' -- list

kavet_key alt+o m # "Majuscules" over the whole folder
kavet_wait 'active.caption=Rapport' -- focus
kavet_wait 'window.*.text~=1 fichier modifié, 2 non modifiés' -- windows
kavet_wait 'list.count=2' 'list.*~=twin.txt|non modifié|un autre fichier porte le même nom' \
    'list.*~=TWIN.TXT|non modifié' -- list 'top:Rapport/SysListView32'
kavet_key Escape
kavet_wait 'windows.count=1' -- windows
kavet_wait 'status.2=1 fichier modifié, 2 non modifiés' -- status
kavet_wait 'list.*~=OTHER.TXT' -- list
[ -e "$KAVET_DIR/twin.txt" ] && [ -e "$KAVET_DIR/TWIN.TXT" ] || kavet_fail "a twin was touched"
