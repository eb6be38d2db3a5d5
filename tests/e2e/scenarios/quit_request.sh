#!/usr/bin/env bash
# Message 0x414 sent to the window named by "Handle" ends the program, whether
# the window is visible or hidden.
source "$E2E_LIB"
for mode in visible hidden; do
    if [ $mode = hidden ]; then start_kestrone -Hide; else start_kestrone; fi
    driver find-main 60000 >/dev/null || fail "no main window ($mode)"
    driver quit-request >/dev/null || fail "could not send 0x414"
    driver wait-gone 20000 >/dev/null || fail "0x414 did not end the program ($mode)"
    wait_exit "${KESTRONE_PIDS[-1]}" 20 || fail "process still running ($mode)"
done
log "PASS"
