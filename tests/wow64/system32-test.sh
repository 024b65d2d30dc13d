#!/usr/bin/env bash
# The 32-bit program on 64-bit Windows changes the System32 the user names, not SysWOW64. Windows
# (and a 64-bit Wine prefix) redirects a 32-bit program's access to System32 to SysWOW64; here the
# two folders hold different files under the same names. Run inside scripts/with-display.sh on the
# 64-bit build's prefix, with the 32-bit Kavet24.exe as argument.
set -euo pipefail
exe=$1
: "${WINEPREFIX:?run through scripts/with-display.sh}"
native=$WINEPREFIX/drive_c/windows/system32
wow=$WINEPREFIX/drive_c/windows/syswow64
tag=kavet-wow64-$$
failures=0
cleanup() { rm -rf "$native/$tag"* "$wow/$tag"*; }
trap cleanup EXIT

check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
mtime() { stat -c %Y "$1"; }
# A 32-bit program started from a 64-bit prefix runs under WoW64.
kavet() { env -u WINEARCH /usr/lib/wine/wine "$exe" "$@" </dev/null >"$log" 2>&1; }
log=$(mktemp)
old=$(date -d '2001-01-01 00:00:00 UTC' +%s)

# One name in both folders; a file and a folder in System32 alone.
echo native >"$native/$tag.txt"
echo wow >"$wow/$tag.txt"
echo only >"$native/$tag-only.txt"
mkdir -p "$native/$tag.d/sub"
echo deep >"$native/$tag.d/sub/deep.txt"
touch -d @"$old" "$native/$tag.txt" "$wow/$tag.txt" "$native/$tag-only.txt" "$native/$tag.d/sub/deep.txt"

kavet /date:"2020-02-02 10:00:00" /stamps:m "C:\\Windows\\System32\\$tag.txt" && rc=0 || rc=$?
check "a file named in System32 is changed (exit $rc)" '[ $rc = 0 ] && [ "$(mtime "$native/$tag.txt")" != "$old" ]'
check "its SysWOW64 namesake is left alone" '[ "$(mtime "$wow/$tag.txt")" = "$old" ]'

kavet /date:"2020-02-02 10:00:00" /stamps:m "C:\\Windows\\System32\\$tag-on*.txt" && rc=0 || rc=$?
check "a pattern in System32 finds the file only System32 holds (exit $rc)" \
    '[ $rc = 0 ] && [ "$(mtime "$native/$tag-only.txt")" != "$old" ]'

kavet /date:"2020-02-02 10:00:00" /stamps:m /recurse "C:\\Windows\\System32\\$tag.d" && rc=0 || rc=$?
check "the subfolder walk reaches System32's own subfolders (exit $rc)" \
    '[ $rc = 0 ] && [ "$(mtime "$native/$tag.d/sub/deep.txt")" != "$old" ]'

[ $failures = 0 ] || { echo "Program output of the last run:"; cat "$log"; }
rm -f "$log"
[ $failures = 0 ]
