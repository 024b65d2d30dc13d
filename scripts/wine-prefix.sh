#!/usr/bin/env bash
# Creates a private Wine prefix (win64 or win32) and gives it fonts for the scripts of file names. An X
# display must be present, or Wine records that no graphics driver could be loaded and windows fail later.
set -euo pipefail
prefix=$1
arch=${2:-win64}
fonts=$prefix/drive_c/windows/Fonts
marlett=/usr/share/wine/fonts/marlett.ttf
fonts_done() { [ -f "$prefix/.kavet-fonts" ] && { [ ! -f "$marlett" ] || [ -f "$fonts/marlett.ttf" ]; }; }
[ -f "$prefix/system.reg" ] && fonts_done && exit 0
if [ -z "${DISPLAY:-}" ]; then
    echo "wine-prefix: no DISPLAY; start Xvfb first" >&2
    exit 1
fi
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$arch" = win64 ]; then loader=/usr/lib/wine/wine64; else loader=wine; fi
created=no
if [ ! -f "$prefix/system.reg" ]; then
    created=yes
    "$loader" wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
    [ -f "$prefix/system.reg" ] || { echo "wine-prefix: could not create $prefix" >&2; exit 1; }
fi

# Fonts, also for a prefix made before them. Wine looks for its own fonts only in the prefix's
# Fonts folder (this Wine's path to its data folder does not resolve there); Marlett draws the
# caption buttons, menu check marks and arrows. Only Marlett is copied: Wine's Tahoma lacks Greek
# and Hebrew, and without it the dialog font stays DejaVu Sans.
mkdir -p "$fonts"
if [ -f "$marlett" ]; then cp -n "$marlett" "$fonts/"; fi
# Windows draws the characters a font lacks with the fonts linked to it. Wine does too, but links
# to Windows' fonts; these are the installed fonts for Chinese, Japanese, Korean and Devanagari
# and, for Tahoma, DejaVu Sans (Greek, Cyrillic, Hebrew, Arabic). Thai still shows as boxes: Wine
# shapes it with the dialog font's own glyphs, never a linked font's.
multi_sz() { # the REGEDIT4 form of a multi-string value, in 8-bit characters
    printf '%s\0' "$@" | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//'
}
others=("wqy-microhei.ttc,WenQuanYi Micro Hei" "Lohit-Devanagari.ttf,Lohit Devanagari")
reg=$(mktemp --suffix=.reg)
{
    echo REGEDIT4
    views=("Software")
    [ "$arch" = win64 ] && views+=("Software\Wow6432Node")
    for view in "${views[@]}"; do
        echo
        echo "[HKEY_LOCAL_MACHINE\\$view\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]"
        echo "\"Tahoma\"=hex(7):$(multi_sz "DejaVuSans.ttf,DejaVu Sans" "${others[@]}"),00"
        echo "\"DejaVu Sans\"=hex(7):$(multi_sz "${others[@]}"),00"
    done
} >"$reg"
"$loader" reg import "Z:${reg//\//\\}" >/dev/null 2>&1 || true
# A prefix already in use may have a persistent Wine server: wait only for the one started here.
if [ "$created" = yes ]; then /usr/lib/wine/wineserver -w || true; fi
rm -f "$reg"
touch "$prefix/.kavet-fonts"
echo "Wine prefix ready: $prefix"
