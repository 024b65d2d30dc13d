#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, with apt only.
# Idempotent: installs only what is missing. Must run as root (or through sudo).
# Copes with a package index that fails in part (a mirror re-syncing): the update is retried, then
# the install is tried on whatever indexes came down. Only what every run needs can fail the script;
# 32-bit Wine is optional (the tests fall back to the 64-bit build), and tried at every run: an index
# that failed yesterday may be whole today, and the shipped program's tests only run where it is.
set -uo pipefail

required=(
  cmake make ninja-build
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64
  xvfb xauth x11-utils xdotool imagemagick
  fonts-dejavu-core fonts-wine fonts-wqy-microhei fonts-lohit-deva
  clang libclang-rt-14-dev clang-format ccache
  googletest
  wixl msitools zip unzip
)
optional=(wine32:i386)
retry_pause=${KAVET_SETUP_RETRY_PAUSE:-5}

export DEBIAN_FRONTEND=noninteractive
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing() { local p; for p in "$@"; do have "$p" || printf '%s\n' "$p"; done; }

updated=no
update_index() {
  [ "$updated" != no ] && return 0
  local try
  for try in 1 2 3; do
    if apt-get update -qq; then updated=yes; return 0; fi
    echo "setup: package index update failed in part (try $try of 3)" >&2
    sleep $((try * retry_pause))
  done
  # Carry on with the indexes that did come down; the install says whether they are enough.
  updated=partial
}

install() {
  apt-get install -y -qq --no-install-recommends "$@"
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

mapfile -t need < <(missing "${required[@]}")
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  update_index
  if ! install "${need[@]}"; then
    # One package that cannot be had must not hide which one it is: try them one by one.
    updated=no; update_index
    failed=()
    for p in "${need[@]}"; do have "$p" || install "$p" || failed+=("$p"); done
    if [ ${#failed[@]} -gt 0 ]; then
      echo "setup: cannot install required packages: ${failed[*]}" >&2
      exit 1
    fi
  fi
fi

mapfile -t want < <(missing "${optional[@]}")
if [ ${#want[@]} -gt 0 ]; then
  echo "Installing (optional): ${want[*]}"
  update_index
  if ! install "${want[@]}"; then
    echo "setup: optional ${want[*]} not available; the 32-bit program and its tests will be built but not run" >&2
  fi
fi
echo "Set-up complete."
