# Two files dropped on the file list from another folder: the window goes to their folder and
# selects them. The probe drops through WM_DROPFILES, as Explorer's drag and drop ends.
source "$(dirname "$0")/e2e.sh"

mkdir "$KAVET_DIR/start" "$KAVET_DIR/dropped"
printf x >"$KAVET_DIR/start/here.txt"
for name in one.txt two.txt three.txt; do printf x >"$KAVET_DIR/dropped/$name"; done
kavet_start_in "$KAVET_WIN_DIR\\start"
kavet_probe drop main/SysListView32 "$KAVET_WIN_DIR\\dropped\\one.txt" "$KAVET_WIN_DIR\\dropped\\three.txt" >/dev/null ||
    kavet_fail "the probe could not drop"
kavet_wait 'list.count=3' 'list.selected=2' 'list.*.selected=one.txt' 'list.*.selected=three.txt' -- list
kavet_expect 'main.caption' "Kavet24 - $KAVET_WIN_DIR\\dropped" find
