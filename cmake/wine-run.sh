#!/usr/bin/env bash
# Runs a Windows program under 32-bit Wine in a prefix of its own.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use (see wine-prefix.sh), so tests never share one.
set -e
prefix=$1; shift
"$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
exec wine "$@"
