# Address box: a folder that does not exist gives one warning per Enter and one per exit, and
# the focus then comes back to the box with its whole text selected, so the next key replaces it.
source "$(dirname "$0")/e2e.sh"

kavet_warning='\r\nLe dossier spécifié n'"'"'existe pas. Veuillez vérifier le chemin saisi.'
missing='Z:\nowhere\at\all'

touch "$KAVET_DIR/un.txt"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=1' -- list

# One warning, then the focus in the box with everything selected.
expect_one_warning_then_box_selected() {
    local text=$1
    kavet_wait 'windows.count=2' "window.*.text=$kavet_warning" -- windows
    sleep 1 # room for a second warning to show, if one were coming
    kavet_expect windows.count 2 windows
    kavet_key Return
    kavet_wait 'windows.count=1' -- windows
    kavet_wait 'focus.class=Edit' "focus.text=$text" "focus.sel=0,${#text}" -- focus
}

kavet_click main/Edit:0
kavet_key End shift+Home
kavet_type "$missing"
kavet_key Return
expect_one_warning_then_box_selected "$missing"

# The selected text is typed over.
kavet_type 'Q:\x'
kavet_wait 'focus.text=Q:\x' -- focus

# Leaving the box for the file list checks the path once too.
kavet_click main/SysListView32
expect_one_warning_then_box_selected 'Q:\x'
kavet_expect list.count 1 list
