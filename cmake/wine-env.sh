# Sourced by the Wine scripts: picks the Wine loader for an architecture.
# Debian's `wine` always starts the 32-bit loader when wine32 is installed, so
# 64-bit prefixes name the 64-bit loader and server directly.
wine_select() {  # arch (win32 | win64)
    if [ "$1" = win64 ]; then
        WINE=/usr/lib/wine/wine64
        WINESERVER=/usr/lib/wine/wineserver64
        [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
        export WINELOADER=$WINE
    else
        WINE=/usr/lib/wine/wine
        WINESERVER=/usr/lib/wine/wineserver
        [ -x "$WINE" ] || WINE=wine
        [ -x "$WINESERVER" ] || WINESERVER=wineserver
    fi
    export WINESERVER
}
