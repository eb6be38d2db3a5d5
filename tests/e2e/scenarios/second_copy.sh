#!/usr/bin/env bash
# A second copy shows its message and ends; the first stays hidden in the tray.
source "$E2E_LIB"
start_kestrone -Hide
first=$(settled_main) || fail "first copy did not start"
start_kestrone
second_pid=${KESTRONE_PIDS[-1]}
box=$(driver message-box Pellmark 30000) || fail "no message box from the second copy"
echo "$box"
grep -qx "child=Static|Kestrone is already running,you can find it in the tray." <<<"$box" ||
    fail "wrong message"
shot second-copy-message
driver press-ok Pellmark >/dev/null || fail "could not answer the box"
wait_exit "$second_pid" 20 || fail "second copy did not end"
now=$(driver find-main 2000) || fail "first copy gone"
[ "$(value hwnd "$now")" = "$(value hwnd "$first")" ] || fail "main window changed"
[ "$(value visible "$now")" = 0 ] || fail "first copy's window became visible"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
