#!/usr/bin/env bash
# Builds every half:
#   build/native  engine, simulated platform, host tools, unit tests, benchmarks
#   build/win32   Kestrone.exe (i686, the product) and its Win32 test programs
#   build/win64   the same Windows sources for x86_64, tested under 64-bit Wine
#                 (both pointer sizes stay right)
# The Windows builds use the native build's host tools (packers, generators).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KESTRONE_JOBS:-$(nproc)}

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build/native -j "$jobs"

# The 32-bit tests are built where 32-bit Wine can run them: natively, or
# inside qemu-i386 through the launcher tree in build/wine-qemu.
win32_tests=OFF
if (source cmake/wine-env.sh && wine_select win32 && "$WINE" --version) >/dev/null; then
    win32_tests=ON
else
    echo "build.sh: no 32-bit Wine on this machine; the i686 tests are not built" >&2
fi
# The 64-bit build keeps its Win32 suites (they keep the 64-bit pointer size
# right: handles as integers, the 64-bit tray record copy, process records,
# module handles); the end-to-end scenarios test the shipped program and run
# from build/win32, and from build/win64 only where 32-bit Wine cannot run.
win64_e2e=ON
[ "$win32_tests" = ON ] && win64_e2e=OFF
for arch in win32:i686:$win32_tests:ON win64:x86_64:ON:$win64_e2e; do
    IFS=: read -r name cpu tests e2e <<<"$arch"
    dir=build/$name
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$cpu-mingw.cmake" \
        -DKESTRONE_BUILD_TESTS="$tests" -DKESTRONE_E2E="$e2e" \
        -DKESTRONE_HOST_TOOLS_DIR="$PWD/build/native/tools" >/dev/null
    ninja -C "$dir" -j "$jobs"
done
