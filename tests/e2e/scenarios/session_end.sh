#!/usr/bin/env bash
# A log-off or shutdown query is always answered yes, also while the window is
# shown: the window hides and Windows is never kept from ending the session.
source "$E2E_LIB"
start_kestrone
main=$(settled_main) || fail "no main window"
[ "$(value visible "$main")" = 1 ] || fail "not visible"
answer=$(driver query-end-session) || fail "could not ask"
echo "$answer"
[ "$(value result "$answer")" = 1 ] || fail "log-off refused while the window was shown"
main=$(driver find-main 2000) || fail "the query ended the program"
[ "$(value visible "$main")" = 0 ] || fail "window not hidden"
answer=$(driver query-end-session)
[ "$(value result "$answer")" = 1 ] || fail "log-off refused while hidden"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
