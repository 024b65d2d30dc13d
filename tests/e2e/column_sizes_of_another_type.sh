# Start-up with the stored column widths of another type than text: the start completes without
# an error box, the default layout is used, the remembered folder is listed, and moving to another
# folder lists it.
source "$(dirname "$0")/e2e.sh"

mkdir "$KAVET_DIR/sub"
touch "$KAVET_DIR/un.txt" "$KAVET_DIR/deux.txt" "$KAVET_DIR/sub/trois.txt"
kavet_probe reg-set-dword "$KAVET_KEY\\Columns" Sizes 80 >/dev/null
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=2' -- list
kavet_expect windows.count 1 windows
kavet_wait 'main.caption~=Kavet24 - ' -- find

kavet_click main/Edit:0
kavet_key End shift+Home
kavet_type "$KAVET_WIN_DIR\\sub"
kavet_key Return
kavet_wait 'list.count=1' 'list.0~=trois.txt' -- list
kavet_expect windows.count 1 windows
