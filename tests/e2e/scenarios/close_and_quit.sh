#!/usr/bin/env bash
# The close box only hides the window; "Quit" from the tray menu ends the
# program although the window is hidden.
source "$E2E_LIB"
start_kestrone
main=$(settled_main) || fail "no main window"
[ "$(value visible "$main")" = 1 ] || fail "not visible"
driver close-box >/dev/null
sleep 1
main=$(driver find-main 2000) || fail "close box ended the program"
[ "$(value visible "$main")" = 0 ] || fail "close box did not hide the window"
shot close-box-hidden
menu=$(driver tray-menu-open) || fail "tray menu did not open"
echo "$menu"
sleep 1
shot tray-menu
driver menu-choose-last >/dev/null || fail "could not choose Quit"
driver wait-gone 20000 >/dev/null || fail "Quit did not end the program"
wait_exit "${KESTRONE_PIDS[-1]}" 20 || fail "process still running"
log "PASS"
