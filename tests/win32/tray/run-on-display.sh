#!/usr/bin/env bash
# Runs a Windows test program under Wine on a fresh virtual X display.
# Usage: run-on-display.sh WINE_RUN PREFIX PROGRAM [ARGS...]
# A Wine server outlives its last program by a few seconds and keeps the
# display it started with: a program started meanwhile on a new display would
# draw on the old, dead one. So wait for the prefix's server before starting,
# and end it afterwards.
# With KESTRONE_SCREENSHOT=<png> set, a picture of the whole screen is saved
# once a window whose X description matches KESTRONE_SCREENSHOT_WAIT_FOR
# (a grep pattern over xwininfo's tree, such as a size "190x140") is up, and
# KESTRONE_SCREENSHOT_AFTER more seconds (default 1) have passed.
set -e
wine_run=$1 prefix=$2
shift 2
stop_server() {  # -w waits for it to end, -k ends it
    local server
    for server in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver wineserver; do
        if WINEPREFIX="$prefix" "$server" "$1" 2>/dev/null; then return 0; fi
    done
    return 0
}
[ -d "$prefix" ] && stop_server -w
status=0
"$(dirname "$0")/../../support/on-virtual-display.sh" bash -c '
    "$@" & program=$!
    if [ -n "$KESTRONE_SCREENSHOT" ]; then
        for _ in $(seq 120); do
            xwininfo -root -tree 2>/dev/null | grep -q -- "${KESTRONE_SCREENSHOT_WAIT_FOR:-.}" && break
            sleep 0.5
        done
        sleep "${KESTRONE_SCREENSHOT_AFTER:-1}"
        import -window root "$KESTRONE_SCREENSHOT" || echo "no screenshot taken" >&2
    fi
    wait $program' run-on-display "$wine_run" "$prefix" "$@" || status=$?
stop_server -k
exit $status
