#!/usr/bin/env bash
# The downloads as a Windows user gets them. scripts/package.sh packages the programs the test
# command has built (the test build's 64-bit program, the other build's 32-bit one) under this
# build's version and a newer one; then, under Wine in the 64-bit build's own prefix:
#  - the x64 package installs the program and the console program into Program Files\Kavet24 with
#    a Start-menu shortcut, that folder on the system PATH and one entry in the installed programs
#    (version, publisher); the program starts from the shortcut and shows its main window;
#  - the newer x64 package upgrades it: one entry left, of the newer version, the program replaced;
#    the older package then refuses to install;
#  - the x86 package of that version replaces the 64-bit one: one Kavet24 per machine;
#  - each package puts "Changer les dates avec Kavet24" in Explorer's menu of files, folders and a
#    folder's background, with the program's icon and command;
#  - the uninstall leaves no file, no Explorer verb, shortcut, PATH entry or installed-programs entry, and the user's
#    settings.
# The portable zip holds exactly its listed files, and SHA256SUMS verifies.
# Usage, inside scripts/with-display.sh BUILD/x86_64: tests/package/install-test.sh BUILD
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
wine_run=$build/x86_64/wine-run.sh
x64_exe=$build/x86_64/app/Kavet24.exe
x86_exe=$build/i686/app/Kavet24.exe
prefix=$(sed -n 's/^export WINEPREFIX="\(.*\)"$/\1/p' "$wine_run")
pf64="$prefix/drive_c/Program Files/Kavet24"
pf32="$prefix/drive_c/Program Files (x86)/Kavet24"
# Wine's Windows Installer puts a per-machine package's shortcuts in the user's Start menu, Windows
# in the common one: either will do here.
menus=("$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
       "$prefix"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs)
settings='HKCU\Software\Lumarek\Kavet24\InstallTest'
work=$(mktemp -d /tmp/kavet-package.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
wine() { "$wine_run" "$@" </dev/null 2>/dev/null | sed 's/\r$//'; }
winpath() { # a path inside the prefix by its C: name (a shortcut started by its Z: name does not start)
    local path=$1 drive=Z:
    [[ $path == "$prefix/drive_c/"* ]] && path=${path#"$prefix/drive_c"} && drive=C:
    printf '%s%s' "$drive" "${path//\//\\}"
}
msiexec() { # /i|/x PACKAGE-OR-PRODUCT-CODE
    "$wine_run" msiexec "$@" /qn </dev/null >/dev/null 2>&1 || fail "msiexec $* ended with code $?"
}
# One line per installed Kavet24, either registry view: "PRODUCT-CODE VERSION PUBLISHER".
entries() {
    local view
    for view in Software Software\\Wow6432Node; do
        wine reg query "HKLM\\$view\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s
    done | awk -F'    ' '
        function flush() { if (name == "Kavet24") print code, version, publisher; name = version = publisher = "" }
        /^HKEY/ { flush(); code = $0; sub(/.*\\/, "", code) }
        $2 == "DisplayName" { name = $4 } $2 == "DisplayVersion" { version = $4 } $2 == "Publisher" { publisher = $4 }
        END { flush() }'
}
expect_entry() { # VERSION: exactly one entry, of that version, published by Lumarek
    local found
    found=$(entries)
    [ "$(wc -l <<<"$found")" = 1 ] && [ "$(cut -d' ' -f2- <<<"$found")" = "$1 Lumarek" ] ||
        fail "installed programs: want one Kavet24 $1 by Lumarek, have: ${found:-none}"
}
shortcut() { # the path of the Start-menu shortcut; fails without one
    local menu
    for menu in "${menus[@]}"; do
        [ -f "$menu/Kavet24.lnk" ] && echo "$menu/Kavet24.lnk" && return 0
    done
    return 1
}
# The machine's PATH, one entry a line.
system_path() {
    wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v PATH |
        sed -n 's/^ *PATH *REG_[A-Z_]*SZ *//p' | tr ';' '\n'
}
expect_installed() { # FOLDER PROGRAM
    cmp -s "$2" "$1/Kavet24.exe" || fail "$1/Kavet24.exe is not $2"
    cmp -s "${2%.exe}.com" "$1/Kavet24.com" || fail "$1/Kavet24.com is not ${2%.exe}.com"
    system_path | grep -Fix "$(winpath "$1")\\" >/dev/null ||
        fail "the system PATH lacks $(winpath "$1")\\: $(system_path | paste -sd';')"
    [ -f "$1/LICENCE.txt" ] || fail "no LICENCE.txt in $1"
    shortcut >/dev/null || fail "no Start-menu shortcut"
}
# The data of a registry value, in either registry view: reg_value KEY NAME (NAME "" for the default).
reg_value() {
    local view args=(/ve)
    [ -n "$2" ] && args=(/v "$2")
    for view in 64 32; do
        wine reg query "$1" "${args[@]}" /reg:$view | sed -n 's/^ *[^ ].*  *REG_[A-Z_]*SZ  *//p' | grep . && return 0
    done
    return 1
}
verb_keys=('HKLM\Software\Classes\*\shell\Kavet24' 'HKLM\Software\Classes\Directory\shell\Kavet24'
           'HKLM\Software\Classes\Directory\Background\shell\Kavet24')
expect_verbs() { # FOLDER: the three verbs start the program installed there
    local key arg program
    program="$(winpath "$1")\Kavet24.exe"
    for key in "${verb_keys[@]}"; do
        arg='%1'
        [[ $key == *Background* ]] && arg='%V'
        [ "$(reg_value "$key" "")" = "Changer les dates avec Kavet24" ] || fail "no caption under $key"
        [ "$(reg_value "$key" Icon)" = "$program" ] || fail "$key\Icon is $(reg_value "$key" Icon)"
        [ "$(reg_value "$key\command" "")" = "\"$program\" \"$arg\"" ] ||
            fail "$key\command is $(reg_value "$key\command" "")"
    done
}
expect_no_verbs() {
    local key view
    for key in "${verb_keys[@]}"; do
        for view in 64 32; do
            ! "$wine_run" reg query "$key" /reg:$view </dev/null >/dev/null 2>&1 || fail "$key (view $view) was left"
        done
    done
}

# Starts the installed program from its shortcut, as a user does, until its main window shows; ends it.
start_from_shortcut() {
    local window=
    "$wine_run" start "$(winpath "$(shortcut)")" </dev/null >/dev/null 2>&1 || fail "the shortcut does not start"
    for _ in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --name '^Kavet24' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "the installed program showed no main window within 30 s"
    wine taskkill /f /im Kavet24.exe >/dev/null
}

# A run cut short leaves its install behind: take it away first.
for code in $(entries | cut -d' ' -f1); do msiexec /x "$code"; done

version=$(sed -n 's/^project(Kavet24 VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
IFS=. read -r major minor patch tweak <<<"$version"
newer=$major.$minor.$((patch + 1)).$tweak
for v in "$version" "$newer"; do
    "$root/scripts/package.sh" --x64-exe "$x64_exe" --x86-exe "$x86_exe" --version "$v" --out "$work/$v" >/dev/null ||
        fail "scripts/package.sh --version $v"
done

echo "-- portable zip and sums"
zip=$work/$version/Kavet24-$version-portable.zip
listed=$(unzip -Z1 "$zip" | sort | paste -sd' ')
[ "$listed" = "32-bits/Kavet24.com 32-bits/Kavet24.exe 64-bits/Kavet24.com 64-bits/Kavet24.exe LICENCE.txt LISEZMOI.txt" ] ||
    fail "the zip holds: $listed"
unzip -p "$zip" 64-bits/Kavet24.com | cmp -s - "${x64_exe%.exe}.com" || fail "64-bits/Kavet24.com is not the 64-bit console program"
unzip -p "$zip" 64-bits/Kavet24.exe | cmp -s - "$x64_exe" || fail "64-bits/Kavet24.exe is not the 64-bit program"
unzip -p "$zip" 32-bits/Kavet24.exe | cmp -s - "$x86_exe" || fail "32-bits/Kavet24.exe is not the 32-bit program"
(cd "$work/$version" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not verify"
[ "$(wc -l <"$work/$version/SHA256SUMS")" = 3 ] || fail "SHA256SUMS should list the two packages and the zip"
# For every user of the machine, as the package itself says: Wine runs with only one user.
for arch in x64 x86; do
    msiinfo export "$work/$version/Kavet24-$version-$arch.msi" Property | grep "^ALLUSERS	1" >/dev/null ||
        fail "the $arch package does not install for every user of the machine"
done

echo "-- x64 package $version: install and start"
msiexec /i "$(winpath "$work/$version/Kavet24-$version-x64.msi")"
expect_installed "$pf64" "$x64_exe"
expect_entry "$version"
expect_verbs "$pf64"
start_from_shortcut

echo "-- x64 package $newer: upgrade"
# Another program in its place: the upgrade must put the packaged one back, not keep what is there.
printf 'older' >"$pf64/Kavet24.exe"
msiexec /i "$(winpath "$work/$newer/Kavet24-$newer-x64.msi")"
expect_installed "$pf64" "$x64_exe"
expect_entry "$newer"
if "$wine_run" msiexec /i "$(winpath "$work/$version/Kavet24-$version-x64.msi")" /qn </dev/null >/dev/null 2>&1; then
    fail "the older package installed over the newer one"
fi
expect_entry "$newer"

echo "-- x86 package $newer: replaces the 64-bit one"
msiexec /i "$(winpath "$work/$newer/Kavet24-$newer-x86.msi")"
expect_installed "$pf32" "$x86_exe"
expect_entry "$newer"
expect_verbs "$pf32"
[ ! -e "$pf64" ] || fail "the 64-bit program was left in $pf64"
! system_path | grep -Fix "$(winpath "$pf64")\\" >/dev/null || fail "the 64-bit program's folder was left on the PATH"
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    start_from_shortcut
else
    echo "32-bit Wine cannot run here: the installed 32-bit program is not started."
fi

echo "-- uninstall"
wine reg add "$settings" /v Kept /d yes /f >/dev/null
msiexec /x "$(winpath "$work/$newer/Kavet24-$newer-x86.msi")"
[ ! -e "$pf32" ] || fail "files left in $pf32: $(ls "$pf32")"
! shortcut >/dev/null || fail "the Start-menu shortcut was left"
expect_no_verbs
[ -z "$(entries)" ] || fail "installed programs still list: $(entries)"
! system_path | grep -Fi 'Kavet24' >/dev/null || fail "the PATH still holds $(system_path | grep -Fi Kavet24)"
system_path | grep -Fix '%SystemRoot%\system32' >/dev/null || fail "the uninstall took the rest of the PATH"
wine reg query "$settings" /v Kept | grep yes >/dev/null || fail "the uninstall took the user's settings"
wine reg delete "$settings" /f >/dev/null
echo "Packages install, upgrade and uninstall."
