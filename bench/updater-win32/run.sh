#!/usr/bin/env bash
# Runs the update-check benchmark of a Windows test build (default
# build/win32, which trusts test key A) in a Wine prefix kept for it: a
# package of the shipped definitions is made with the package tool, installed
# from its folder by Update.exe, then served by python's http.server on
# 127.0.0.1 while the benchmark checks it again and again.
set -euo pipefail
build=$(realpath "${1:-build/win32}")
root=$(cd "$(dirname "$0")/../.." && pwd)
tools=$(sed -n 's/^KESTRONE_HOST_TOOLS_DIR:PATH=//p' "$build/CMakeCache.txt")
arch=win32
[ "$(sed -n 's/^CMAKE_SIZEOF_VOID_P:INTERNAL=//p' "$build/CMakeCache.txt")" != 8 ] || arch=win64
prefix="$build/bench-update-wineprefix"
folder="$prefix/drive_c/kestrone-bench"
"$root/cmake/wine-prefix.sh" "$prefix" "$arch"
. "$root/cmake/wine-env.sh"
wine_select "$arch"
export WINEPREFIX="$prefix" WINEDEBUG=-all
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
rm -rf "$folder" && mkdir -p "$folder/package"
cp "$build/bin/kernel.dll" "$build/bin/Update.exe" "$build/bench/updater-win32/bench_update_check_win32.exe" "$folder/"
"$tools/package/kestrone-package" build --out "$folder/package" \
    --key "$root/tests/data/update/test-key-a-for-tests-only.pem" --version 1 --date 2026-12-01 \
    --expires 2099-12-31 --min-program 2.3 --definitions "$root/data/definitions/definitions.ini" >/dev/null
(cd "$folder" && "$WINE" Update.exe /S '/FOLDER=C:\kestrone-bench\package' >/dev/null)
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$folder/package" "$port" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; "$WINESERVER" -k 2>/dev/null || true' EXIT
sleep 1
(cd "$folder" && "$WINE" bench_update_check_win32.exe "http://127.0.0.1:$port/" "${RUNS:-10}")
