#!/usr/bin/env bash
# "-Hide" starts in the tray: no visible window, the tray icon and its balloon;
# a first argument in other letter case gives a visible start.
source "$E2E_LIB"
start_kestrone -Hide
driver find-main 60000 >/dev/null || fail "no main window published"
sleep 0.8
shot hide-start-balloon  # Timer1 takes the balloon away after 2 seconds
main=$(driver find-main 1000)
echo "$main"
[ "$(value visible "$main")" = 0 ] || fail "main window visible after -Hide"
[ -n "$(driver tray-window)" ] || fail "no tray icon window"
sleep 3
main=$(driver find-main 1000)
[ "$(value visible "$main")" = 0 ] || fail "main window appeared later"
shot hide-start-later
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"

start_kestrone -hide
main=$(settled_main) || fail "no main window published (-hide)"
[ "$(value visible "$main")" = 1 ] || fail "-hide (other case) must start visible"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
