#!/usr/bin/env bash
# Starts Kestrone.exe under Wine, building it first when it is missing.
# The 32-bit program runs under 32-bit Wine: natively, or inside qemu-i386 on a
# machine that runs no 32-bit code (see cmake/wine-env.sh). Only where neither
# is possible does the 64-bit build of the same sources run under 64-bit Wine.
# Without a display the program runs on a virtual one: after a few seconds a
# screenshot is saved to build/screenshots/ and its place is printed.
# Usage: scripts/run-kestrone.sh [-Hide]
# KESTRONE_BUILD_DIR picks another Windows build folder (for example a developer's own).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source cmake/wine-env.sh

if wine_select win32; then
    arch=win32 build=build/win32
else
    arch=win64 build=build/win64
    wine_select win64
fi
build=${KESTRONE_BUILD_DIR:-$build}
[ -f "$build/bin/Kestrone.exe" ] || scripts/build.sh
export WINEPREFIX="$root/build/run-wineprefix-$arch" WINEARCH=$arch WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -d "$WINEPREFIX" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    # A desktop of its own with a taskbar, so the tray icon can be seen.
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    "$WINESERVER" -w
fi

bin="$(cd "$build/bin" && pwd)"
if [ -n "${DISPLAY:-}" ]; then
    cd "$bin"
    exec "$WINE" Kestrone.exe "$@"
fi

mkdir -p "$root/build/screenshots"
shot="$root/build/screenshots/kestrone-$(date +%Y%m%d-%H%M%S).png"
export KESTRONE_SHOT=$shot KESTRONE_BIN=$bin
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    cd "$KESTRONE_BIN"
    "$WINE" Kestrone.exe "$@" >/dev/null 2>&1 &
    sleep "${KESTRONE_SHOT_DELAY:-12}"
    import -window root "$KESTRONE_SHOT"
    "$WINESERVER" -k
    wait
' kestrone "$@" || true
if [ -f "$shot" ]; then
    echo "Kestrone ran on a virtual display; screenshot: $shot"
else
    echo "Kestrone ran on a virtual display, but no screenshot could be taken" >&2
    exit 1
fi
