#!/usr/bin/env bash
# Starts Kestrone.exe under Wine, building it first when it is missing, and by
# default shows it at work: Kestrone in the tray, a harmless test stick
# attached as drive E:, Kestrone cleaning it and reporting (scripts/demo-stick.sh).
# The 32-bit program runs under 32-bit Wine: natively, or inside qemu-i386 on a
# machine that runs no 32-bit code (see cmake/wine-env.sh). Only where neither
# is possible does the 64-bit build of the same sources run under 64-bit Wine.
# Without a display everything runs on a virtual one and screenshots are saved
# to build/screenshots/.
# Usage: scripts/run-kestrone.sh [--plain] [-Hide]
#   --plain   the program alone, without the demonstration (with a display it
#             stays open for you; without one a screenshot is taken)
# KESTRONE_BUILD_DIR picks another Windows build folder (for example a developer's own).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source cmake/wine-env.sh

plain=0
if [ "${1:-}" = --plain ]; then
    plain=1
    shift
fi

if wine_select win32; then
    build=build/win32
else
    build=build/win64
fi
build=${KESTRONE_BUILD_DIR:-$build}
[ -f "$build/bin/Kestrone.exe" ] && [ -f "$build/e2e-tools/kestrone-e2e-driver.exe" ] || scripts/build.sh
# The Wine to run it with follows the program: PE32+ (0x20b) is 64-bit.
pe_offset=$(od -An -t u4 -j 60 -N 4 "$build/bin/Kestrone.exe" | tr -d ' ')
if [ "$(od -An -t x2 -j $((pe_offset + 24)) -N 2 "$build/bin/Kestrone.exe" | tr -d ' ')" = 020b ]; then
    arch=win64
else
    arch=win32
fi
wine_select "$arch" || { echo "no Wine for $arch programs here" >&2; exit 1; }
export WINEPREFIX="$root/build/run-wineprefix-$arch" WINEARCH=$arch WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
stick="$root/build/demo-stick"
if [ ! -f "$WINEPREFIX/.kestrone-run-ready" ]; then
    mkdir -p "$WINEPREFIX" "$stick"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    # A desktop of its own with a taskbar, so the tray icon can be seen.
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # The test stick: a folder of the build tree as the removable drive E:.
    ln -sfn "$stick" "$WINEPREFIX/dosdevices/e:"
    "$WINE" reg add 'HKLM\Software\Wine\Drives' /v 'e:' /d floppy /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.kestrone-run-ready"
fi
mkdir -p "$stick"

bin="$(cd "$build/bin" && pwd)"
export DEMO_BUILD="$(cd "$build" && pwd)" DEMO_STICK="$stick"
if [ -n "${DISPLAY:-}" ]; then
    if [ "$plain" = 1 ]; then
        cd "$bin"
        exec "$WINE" Kestrone.exe "$@"
    fi
    DEMO_SHOTS="" DEMO_KEEP_RUNNING=1 exec scripts/demo-stick.sh
fi

mkdir -p "$root/build/screenshots"
if [ "$plain" = 0 ]; then
    export DEMO_SHOTS="$root/build/screenshots/demo-$(date +%Y%m%d-%H%M%S)"
    status=0
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c 'scripts/demo-stick.sh; s=$?; "$WINESERVER" -k; exit $s' || status=$?
    ls "$DEMO_SHOTS"/*.png >/dev/null 2>&1 || { echo "no screenshots could be taken" >&2; exit 1; }
    echo "Pictures of the demonstration: $DEMO_SHOTS"
    exit $status
fi
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
