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
elif ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    cat >&2 <<'MSG'
wine-run.sh: 32-bit Wine cannot start on this machine (its kernel runs no 32-bit
Linux programs: IA-32 emulation is off). The 32-bit build is compiled but its
tests are skipped here; the same tests run from the 64-bit Windows build
(build/win64, cmake/toolchain-x86_64-mingw.cmake) under 64-bit Wine.
MSG
    exit 77
fi
"$(dirname "$0")/wine-prefix.sh" "$prefix" "$arch"
. "$(dirname "$0")/wine-env.sh"
wine_select "$arch"
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all
exec "$WINE" "$@"
