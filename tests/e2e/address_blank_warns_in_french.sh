# Address box: a blank address is a folder that does not exist: the French warning, once, and the
# folder shown stays; never the directory tree's internal error.
source "$(dirname "$0")/e2e.sh"

touch "$KAVET_DIR/un.txt" "$KAVET_DIR/deux.txt"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=2' -- list
caption=$(kavet_fact main.caption find)

kavet_click main/Edit:0
kavet_key End shift+Home BackSpace
kavet_key Return
kavet_wait 'windows.count=2' -- windows
sleep 1 # room for a second box, if one were coming
kavet_expect windows.count 2 windows
kavet_expect 'window.*.text' '\r\nLe dossier spécifié n'"'"'existe pas. Veuillez vérifier le chemin saisi.' windows
kavet_key Return
kavet_wait 'windows.count=1' -- windows
kavet_expect main.caption "$caption" find
kavet_expect list.count 2 list
