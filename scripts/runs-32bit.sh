#!/usr/bin/env bash
# Succeeds where this machine runs 32-bit Windows programs under Wine at native speed. It fails
# without wine32, on a kernel that does not run 32-bit code (Wine's loader then fails with "Exec
# format error"), and where 32-bit code runs only through a processor emulator registered with the
# kernel (qemu-i386): that is far too slow for the test suite or the benchmarks.
/usr/lib/wine/wine --version >/dev/null 2>&1 || exit 1
! grep -qs '^interpreter .*qemu-i386' /proc/sys/fs/binfmt_misc/*
