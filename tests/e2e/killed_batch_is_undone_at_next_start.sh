# The program's process killed in the middle of a batch, as a power cut stops it: at the next start
# it offers to undo the batch, and once the offer is accepted every file is as before. First
# "Heure Zéro" on 3,000 files (every stamp back to the nanosecond), then "Majuscules" on 1,000
# files, where Wine on Linux renames each file through a temporary name (every name back, none
# left under a temporary one).
source "$(dirname "$0")/e2e.sh"

# Each file's name and its modification and access times, to the nanosecond.
stamps() {
    (cd "$KAVET_DIR" && stat -c '%n %y %x' -- *)
}

# Kills the program's process once `$1` (a test command) holds: stopped first, and killed only if
# it still holds then, so that a passing state (a file between its two moves) is caught in it.
kill_when() {
    local i
    for i in $(seq 1 20000); do
        if eval "$1"; then
            kill -STOP "$KAVET_PID"
            eval "$1" && break
            kill -CONT "$KAVET_PID"
        fi
    done
    eval "$1" || kavet_fail "the batch never reached the state to be killed in: $1"
    kill -9 "$KAVET_PID"
    wait "$KAVET_PID" 2>/dev/null
    KAVET_PID=
}

# Starts the program again, accepts its offer to undo the batch cut short, and waits for the undo.
accept_offer() {
    kavet_start
    kavet_wait "window.*.text~=s'est arrêté pendant l'opération « $1 »" -- windows
    kavet_key Return
    KAVET_TIMEOUT_MS=120000 kavet_wait 'windows.count=1' -- windows
    kavet_close
    [ -z "$(compgen -G "$KAVET_DIR/~kavet-*")" ] || kavet_fail "files left under a temporary name"
}

kavet_probe reg-set-dword "$KAVET_KEY\\Options" FirstZero 0 >/dev/null || kavet_fail "cannot skip the confirmation"
kavet_probe reg-set-dword "$KAVET_KEY\\Options" FirstMaj 0 >/dev/null || kavet_fail "cannot skip the confirmation"

for i in $(seq -w 1 3000); do
    : >"$KAVET_DIR/fichier$i.txt"
done
touch -m -d '2010-01-15 12:00:00.123456700' "$KAVET_DIR"/*
touch -a -d '2011-02-16 13:00:00.7654321' "$KAVET_DIR"/*
before=$(stamps)
kavet_start_in "$KAVET_WIN_DIR"
KAVET_TIMEOUT_MS=60000 kavet_wait 'list.count=3000' -- list
kavet_key alt+o h # "Heure Zéro" over the whole folder
kill_when '[ "$(stat -c %Y "$KAVET_DIR/fichier0010.txt")" != "$(date -d "2010-01-15 12:00:00" +%s)" ]'
untouched=$(stamps | grep -c ' 2010-01-15 12:00:00.123456700 ')
[ "$untouched" -lt 3000 ] && [ "$untouched" -gt 0 ] ||
    kavet_fail "the kill did not come in the middle of the batch: $untouched files of 3000 untouched"
accept_offer "Heure Zéro"
diff <(echo "$before") <(stamps) >&2 || kavet_fail "stamps not all back after the undo"

rm -f "$KAVET_DIR"/*
for i in $(seq -w 1 1000); do
    : >"$KAVET_DIR/nom$i.txt"
done
names=$(ls "$KAVET_DIR")
kavet_start
KAVET_TIMEOUT_MS=60000 kavet_wait 'list.count=1000' -- list
kavet_key alt+o m # "Majuscules" over the whole folder
# Killed between a file's two moves, after the first files are done.
kill_when '[ ! -e "$KAVET_DIR/nom0010.txt" ] && compgen -G "$KAVET_DIR/~kavet-*" >/dev/null'
lower=$(ls "$KAVET_DIR" | grep -c '^nom')
[ "$lower" -lt 1000 ] && [ "$lower" -gt 0 ] || kavet_fail "the kill did not come in the middle of the batch"
accept_offer "Majuscules"
diff <(echo "$names") <(ls "$KAVET_DIR") >&2 || kavet_fail "names not all back after the undo"
