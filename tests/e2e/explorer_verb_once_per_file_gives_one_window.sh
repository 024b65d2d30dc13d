# Explorer's verb on three selected files starts the program once per file, as Explorer does, in
# quick succession: one window opens on their folder with the three selected, and the other two
# starts hand their file to it and end.
source "$(dirname "$0")/e2e.sh"

mkdir "$KAVET_DIR/photos"
for name in a.jpg b.jpg c.jpg d.jpg; do printf x >"$KAVET_DIR/photos/$name"; done
starts=()
for name in a.jpg c.jpg d.jpg; do
    "$KAVET_WINE_RUN" "$KAVET_EXE" "$KAVET_WIN_DIR\\photos\\$name" </dev/null >/dev/null 2>&1 &
    starts+=($!)
    sleep 0.05
done
kavet_wait 'list.count=4' 'list.selected=3' 'list.*.selected=a.jpg' 'list.*.selected=c.jpg' \
    'list.*.selected=d.jpg' -- list
kavet_expect 'main.caption' "Kavet24 - $KAVET_WIN_DIR\\photos" find

# Two of the three starts have ended: the one left owns the window.
for _ in $(seq 1 100); do
    running=()
    for pid in "${starts[@]}"; do kill -0 "$pid" 2>/dev/null && running+=("$pid"); done
    [ ${#running[@]} -le 1 ] && break
    sleep 0.1
done
[ ${#running[@]} = 1 ] || { kill -9 "${running[@]}" 2>/dev/null; kavet_fail "${#running[@]} starts still run"; }
KAVET_PID=${running[0]}
kavet_close
