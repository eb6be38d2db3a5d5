#!/usr/bin/env bash
# Creates a Wine prefix (second argument win32 or win64) with a removable test
# drive E: (a folder inside the prefix, registered as a floppy so Windows reports DRIVE_REMOVABLE).
# A program that crashes there ends at once with Wine's "Unhandled ..." line
# on its standard error, instead of waiting behind a crash dialog.
# Safe to call concurrently: the first caller builds it under a lock.
set -e
prefix=$1
arch=${2:-win32}
[ -f "$prefix/.kestrone-ready-2" ] && exit 0
mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.kestrone-ready-2" ] && exit 0
. "$(dirname "$0")/wine-env.sh"
wine_select "$arch"
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$WINE" wineboot -i >/dev/null 2>&1 || true
"$WINESERVER" -w || true
mkdir -p "$prefix/removable-e"
ln -sfn ../removable-e "$prefix/dosdevices/e:"
"$WINE" reg add 'HKLM\Software\Wine\Drives' /v 'e:' /t REG_SZ /d floppy /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
"$WINESERVER" -w || true
touch "$prefix/.kestrone-ready-2"
