# Keyboard focus after dialogs: the file list that had the focus has it again once the Options
# dialog is dismissed and once a confirmed operation ("Majuscules") has re-listed the folder.
source "$(dirname "$0")/e2e.sh"

touch "$KAVET_DIR/alpha.txt" "$KAVET_DIR/beta.txt"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=2' -- list
kavet_click main/SysListView32
kavet_wait 'focus.class=SysListView32' -- focus

kavet_key alt+a o
kavet_wait 'active.caption=Options' -- focus
kavet_key Escape
kavet_wait 'windows.count=1' -- windows
kavet_wait 'focus.class=SysListView32' -- focus

kavet_key alt+o m
kavet_wait 'windows.count=2' -- windows
kavet_click 'active/=&Régler'
kavet_wait 'windows.count=1' -- windows
kavet_wait 'list.0~=ALPHA.TXT' 'list.1~=BETA.TXT' -- list
kavet_wait 'focus.class=SysListView32' -- focus
