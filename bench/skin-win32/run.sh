#!/usr/bin/env bash
# Runs the skin benchmarks of a Windows build (default build/win64) on a
# virtual display, in a Wine prefix kept for them, with a virtual desktop.
set -euo pipefail
build=$(realpath "${1:-build/win64}")
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix="$build/bench-skin-wineprefix"
folder="$prefix/drive_c/kestrone-bench"
"$root/cmake/wine-prefix.sh" "$prefix" win64
. "$root/cmake/wine-env.sh"
wine_select win64
export WINEPREFIX="$prefix" WINEDEBUG=-all
"$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
"$WINESERVER" -w
rm -rf "$folder" && mkdir -p "$folder"
cp "$build"/bin/* "$folder/"
cp "$build/bench/skin-win32/Kestrone-noskin.exe" "$folder/"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" "$2/bench/skin-win32/bench_skin_frame_win32.exe"
    "$1" "$2/bench/skin-win32/bench_skin_startup_win32.exe" "C:\\kestrone-bench" "${3:-7}"
    "$4" -k' run "$WINE" "$build" "${RUNS:-7}" "$WINESERVER"
