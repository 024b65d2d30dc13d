# A drive that arrives while the program runs (a stick, a mapped network drive) gets its root in
# the tree when the system tells the program's windows, and loses it when the drive leaves; the
# folder shown stays listed meanwhile.
source "$(dirname "$0")/e2e.sh"

prefix=${WINEPREFIX:-$(sed -n 's/^export WINEPREFIX="\(.*\)"$/\1/p' "$KAVET_WINE_RUN")}
link="$prefix/dosdevices/m:"
[ -e "$link" ] || [ -L "$link" ] && kavet_fail "drive M: is already taken in $prefix"

# As Wine adds a drive: its link in the prefix, and the device name the system lists.
drive_add() {
    ln -s "$KAVET_DIR/stick" "$link" && kavet_probe define-drive M "$KAVET_WIN_DIR\\stick" >/dev/null
}
drive_remove() {
    if [ -L "$link" ]; then
        kavet_probe define-drive M >/dev/null
        rm -f "$link"
    fi
}
trap 'drive_remove; kavet_cleanup' EXIT

mkdir "$KAVET_DIR/stick"
touch "$KAVET_DIR/stick/sur-la-cle.txt" "$KAVET_DIR/ici.txt"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=1' 'list.0~=ici.txt' -- list
roots=$(kavet_fact tree.count tree)

drive_add || kavet_fail "cannot add drive M:"
kavet_probe device-change arrival M >/dev/null || kavet_fail "cannot tell the program"
# The new root and the placeholder that gives it its expand button.
kavet_wait "tree.count=$((roots + 2))" -- tree
kavet_wait 'list.count=1' 'list.0~=ici.txt' -- list

drive_remove
kavet_probe device-change removal M >/dev/null || kavet_fail "cannot tell the program"
kavet_wait "tree.count=$roots" -- tree
kavet_expect list.count 1 list
kavet_close
