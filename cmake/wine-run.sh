#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use (see wine-prefix.sh), so tests never share one.
# A 32-bit program gets a 32-bit prefix, a 64-bit program a 64-bit one.
set -e
prefix=$1; shift
program=$1

# PE32 (0x10b) or PE32+ (0x20b): the optional header's magic after the PE signature.
pe_magic() {
    local offset
    offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    od -An -t x2 -j $((offset + 24)) -N 2 "$1" | tr -d ' '
}

arch=win32
if [ -f "$program" ] && [ "$(pe_magic "$program")" = "020b" ]; then
    arch=win64
fi
. "$(dirname "$0")/wine-env.sh"
if ! wine_select "$arch"; then
    cat >&2 <<'MSG'
wine-run.sh: 32-bit Wine cannot start on this machine: it runs no 32-bit code,
and qemu-i386 (package qemu-user, 10.0 or later) is not installed to emulate it.
MSG
    exit 77
fi
"$(dirname "$0")/wine-prefix.sh" "$prefix" "$arch"
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all
# Every process Wine starts for the program inherits its standard error: the
# prefix's system processes, and the console host of a program started in a
# new console, which stays for good when that program is ended while it still
# starts up. CTest reads the output until every writer has closed it, so the
# program's standard error goes to a file, replayed once the program has ended.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
status=0
"$WINE" "$@" 2>"$errors" || status=$?
cat "$errors" >&2
exit "$status"
