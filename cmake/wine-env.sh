# Sourced by the Wine scripts: picks the Wine loader and server for an
# architecture.
#
# 64-bit prefixes name the 64-bit loader and server directly (Debian's `wine`
# always starts the 32-bit loader when wine32 is installed).
# 32-bit prefixes use the system's i386 loader where this machine runs 32-bit
# code. Where it cannot (a kernel without IA-32 emulation, a CPU that refuses
# 32-bit code segments), the i386 loader runs inside qemu user-mode emulation
# through a launcher tree of our own in the build folder (wine-qemu-tree.sh);
# its server is the native one.
#
# KESTRONE_WINE32=qemu takes the emulated way even where 32-bit code runs
# natively (to try it on such a machine); KESTRONE_WINE32=native never emulates.
#
# wine_select ARCH sets WINE and WINESERVER (exported) and answers false when
# this machine has no Wine for ARCH; wine_kind tells which one was picked
# (native | qemu).
KESTRONE_WINE_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${KESTRONE_WINE_QEMU_TREE:=$(dirname "$KESTRONE_WINE_SCRIPTS")/build/wine-qemu}"

# True where the system's 32-bit loader runs as it stands (and is wanted).
wine32_native() {
    [ "${KESTRONE_WINE32:-}" != qemu ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

wine_select() {  # arch (win32 | win64)
    wine_kind=native
    if [ "$1" = win64 ]; then
        WINE=/usr/lib/wine/wine64
        WINESERVER=/usr/lib/wine/wineserver64
        [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
        export WINELOADER=$WINE
    elif wine32_native; then
        WINE=/usr/lib/wine/wine
        WINESERVER=/usr/lib/wine/wineserver
        unset WINELOADER
    elif [ "${KESTRONE_WINE32:-}" != native ] && command -v qemu-i386 >/dev/null 2>&1 &&
        bash "$KESTRONE_WINE_SCRIPTS/wine-qemu-tree.sh" "$KESTRONE_WINE_QEMU_TREE" >&2; then
        wine_kind=qemu
        WINE=$KESTRONE_WINE_QEMU_TREE/lib/wine/wine
        WINESERVER=$KESTRONE_WINE_QEMU_TREE/lib/wine/wineserver
        export WINELOADER=$WINE
    else
        return 1
    fi
    export WINE WINESERVER
}
