# Regional settings: the program sorts names in the order of the user's language, where an
# accented letter sorts among its base letters, not after "z".
source "$(dirname "$0")/e2e.sh"

touch "$KAVET_DIR/z.txt" "$KAVET_DIR/été.txt" "$KAVET_DIR/f.txt"
kavet_probe reg-set-sz "$KAVET_KEY\\Options" Directory "$KAVET_WIN_DIR" >/dev/null
kavet_start
kavet_wait 'list.count=3' 'list.0~=été.txt|' 'list.1~=f.txt|' 'list.2~=z.txt|' -- list
