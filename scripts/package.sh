#!/usr/bin/env bash
# Builds what a Windows user downloads, into dist/ (or --out DIR):
#   Kavet24-VERSION-x64.msi, Kavet24-VERSION-x86.msi   installers (wixl, from packaging/Kavet24.wxs)
#   Kavet24-VERSION-portable.zip                       64-bits/ and 32-bits/ Kavet24.exe (the window)
#                                                      and Kavet24.com (the console), LISEZMOI.txt,
#                                                      LICENCE.txt
#   SHA256SUMS                                         the sums of those three (sha256sum -c)
# By default both programs are built first, optimised (build/package-x86_64, build/package-i686).
# --x64-exe / --x86-exe package programs built already instead, each with the Kavet24.com beside it
# (the test command packages its own builds this way); --version packages under another version
# than the one in CMakeLists.txt (the test command makes a "newer" package to upgrade with).
# Usage: scripts/package.sh [--x64-exe PATH] [--x86-exe PATH] [--version X.Y.Z.W] [--out DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAVET_BUILD_DIR:-$root/build}
out=$root/dist
x64_exe='' x86_exe='' version=''

usage() {
    sed -n 's/^# Usage: //p' "$0" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case $1 in
        --x64-exe) x64_exe=$2 ;;
        --x86-exe) x86_exe=$2 ;;
        --version) version=$2 ;;
        --out) out=$2 ;;
        *) usage ;;
    esac
    shift 2
done

fail() {
    echo "package: $*" >&2
    exit 1
}

if [ -z "$version" ]; then
    version=$(sed -n 's/^project(Kavet24 VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
fi
# Windows Installer keeps a product version as bytes and a word: 255.255.65535, plus a fourth field
# that it does not compare.
if ! [[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] || [ "${BASH_REMATCH[1]}" -gt 255 ] ||
    [ "${BASH_REMATCH[2]}" -gt 255 ] || [ "${BASH_REMATCH[3]}" -gt 65535 ] || [ "${BASH_REMATCH[4]}" -gt 65535 ]; then
    fail "version \"$version\" is not X.Y.Z.W within 255.255.65535.65535"
fi

if [ -z "$x64_exe" ] || [ -z "$x86_exe" ]; then
    if [ "$(id -u)" = 0 ]; then bash "$root/scripts/setup.sh"; else sudo bash "$root/scripts/setup.sh"; fi
fi
for tool in wixl msiinfo msibuild zip sha256sum; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/setup.sh"
done

# The shipped program: optimised, without tests or benchmarks.
build_program() { # ARCH -> the path of its Kavet24.exe
    local dir=$build/package-$1
    cmake -S "$root" -B "$dir" -G Ninja -DKAVET_TESTS=OFF -DKAVET_BENCH=OFF -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$1-mingw.cmake" >/dev/null
    cmake --build "$dir" --target Kavet24 Kavet24Console >&2
    echo "$dir/app/Kavet24.exe"
}
[ -n "$x64_exe" ] || x64_exe=$(build_program x86_64)
[ -n "$x86_exe" ] || x86_exe=$(build_program i686)
for exe in "$x64_exe" "$x86_exe"; do
    [ -f "$exe" ] || fail "no program at $exe"
    [ -f "${exe%.exe}.com" ] || fail "no console program at ${exe%.exe}.com"
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Texts for Notepad: CRLF lines, and a UTF-8 byte order mark, without which older Notepads read the
# accents as ANSI.
windows_text() { # SOURCE DESTINATION
    { printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/g; s/\$/\r/" "$1"; } >"$2"
}
windows_text "$root/packaging/LICENCE.txt" "$stage/LICENCE.txt"
windows_text "$root/packaging/LISEZMOI.txt" "$stage/LISEZMOI.txt"

# wixl ignores IncludeMaximum and writes the "this version or older" row of the Upgrade table
# without it, so that a package of the same version (the other processor's, or a rebuild) would
# install beside the one there: the row is written again with both bounds included.
mend_upgrade_table() { # MSI
    local table=$stage/Upgrade.idt
    msiinfo export "$1" Upgrade | sed 's/\r$//' |
        awk -F'\t' 'BEGIN { OFS = "\t" } NR > 3 && $7 == "OLDERFOUND" { $5 = 768 } { print }' >"$table"
    msibuild "$1" -i "$table"
    msiinfo export "$1" Upgrade | sed 's/\r$//' | grep "	768		OLDERFOUND$" >/dev/null ||
        fail "$1: cannot mend its Upgrade table"
}

# The program's folder at the end of the system PATH while it is installed, so that "Kavet24 /?"
# works in a new prompt: wixl knows no Environment element, so the row and the two actions that
# read it are written into the package. "=-*PATH": set at install, taken off at uninstall, the
# machine's variable; "[~];" keeps what PATH held, and only this entry is taken off again.
add_path_entry() { # MSI
    local table=$stage/Environment.idt sequence=$stage/InstallExecuteSequence.idt
    printf 'Environment\tName\tValue\tComponent_\r\ns72\tl255\tL255\ts72\r\nEnvironment\tEnvironment\r\n' >"$table"
    printf 'PathEntry\t=-*PATH\t[~];[INSTALLDIR]\tConsoleProgram\r\n' >>"$table"
    msibuild "$1" -i "$table"
    msiinfo export "$1" InstallExecuteSequence | sed 's/\r$//' >"$sequence"
    printf 'RemoveEnvironmentStrings\t\t3300\nWriteEnvironmentStrings\t\t5200\n' >>"$sequence"
    sed -i 's/$/\r/' "$sequence"
    msibuild "$1" -i "$sequence"
    msiinfo export "$1" Environment | grep "^PathEntry	=-\*PATH	" >/dev/null ||
        fail "$1: cannot add the PATH entry"
}

# The programs keep their own name, in a folder per processor: so in the zip, and here for wixl,
# which takes its sources relative to the folder it runs in.
mkdir -p "$stage/zip/64-bits" "$stage/zip/32-bits"
cp "$x64_exe" "$stage/zip/64-bits/Kavet24.exe"
cp "$x86_exe" "$stage/zip/32-bits/Kavet24.exe"
# The console program is built beside the window program.
cp "${x64_exe%.exe}.com" "$stage/zip/64-bits/Kavet24.com"
cp "${x86_exe%.exe}.com" "$stage/zip/32-bits/Kavet24.com"
cp "$stage/LISEZMOI.txt" "$stage/LICENCE.txt" "$stage/zip/"

made=()
for arch in x64 x86; do
    folder=64-bits
    [ $arch = x86 ] && folder=32-bits
    msi=Kavet24-$version-$arch.msi
    rm -f "$out/$msi"
    (cd "$stage/zip" && wixl -a $arch -D Arch=$arch -D Version="$version" -D Program=$folder/Kavet24.exe \
                             -D ConsoleProgram=$folder/Kavet24.com -D Licence=LICENCE.txt -o "$out/$msi" "$root/packaging/Kavet24.wxs" >/dev/null)
    mend_upgrade_table "$out/$msi"
    add_path_entry "$out/$msi"
    made+=("$msi")
done

zip_name=Kavet24-$version-portable.zip
rm -f "$out/$zip_name"
(cd "$stage/zip" && zip -q -X -D "$out/$zip_name" LISEZMOI.txt LICENCE.txt 64-bits/Kavet24.exe 64-bits/Kavet24.com \
                                  32-bits/Kavet24.exe 32-bits/Kavet24.com)
made+=("$zip_name")

(cd "$out" && sha256sum "${made[@]}" >SHA256SUMS)
for file in "${made[@]}" SHA256SUMS; do echo "$out/$file"; done
