#!/usr/bin/env bash
# Creates a 32-bit Wine prefix with a removable test drive E: (a folder inside
# the prefix, registered as a floppy so Windows reports DRIVE_REMOVABLE).
# Safe to call concurrently: the first caller builds it under a lock.
set -e
prefix=$1
[ -f "$prefix/.kestrone-ready" ] && exit 0
mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.kestrone-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
wineserver -w || true
mkdir -p "$prefix/removable-e"
ln -sfn ../removable-e "$prefix/dosdevices/e:"
wine reg add 'HKLM\Software\Wine\Drives' /v 'e:' /t REG_SZ /d floppy /f >/dev/null 2>&1
wineserver -w || true
touch "$prefix/.kestrone-ready"
