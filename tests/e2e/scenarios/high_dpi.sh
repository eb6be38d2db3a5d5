#!/usr/bin/env bash
# At 150 % the window, its fonts, its controls and its skinned frame come out
# half as big again, and stay sharp.
source "$E2E_LIB"
private_run_dir
printf '%s\r\n' "2026-12-08 16:47:01  Drive clean  E:\\holiday-viewer.exe  cleaned" >"$RUN_DIR/History.log"
printf '[Settings]\r\nUserChoice=1\r\nNeedShowSelDiag=0\r\n' >"$RUN_DIR/UserSettings.ini"
set_screen_dpi 144
start_kestrone
main=$(settled_main) || fail "no main window at 150 %"
[ "$(value client "$main")" = "644,404" ] || fail "the window is not scaled to 150 %: $main"
history=$(value size "$(driver size 1905)")
[ "${history%,*}" -ge 520 ] || fail "the history list is not scaled: $history"
shot main-150-percent
driver click-tool 8 >/dev/null; sleep 2
shot history-150-percent
driver quit-request >/dev/null
wait_exit "${KESTRONE_PIDS[-1]}" 30 || fail "did not end at 150 %"
set_screen_dpi 96
log "PASS"
