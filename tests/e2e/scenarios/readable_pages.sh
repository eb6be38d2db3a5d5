#!/usr/bin/env bash
# Pages every user can read: the window opens at the size it was left at,
# lays its pages out again when it is made bigger and remembers that size;
# the History page's columns show long lines whole.
source "$E2E_LIB"
private_run_dir
long='E:\Documents\Family photos 2026\Summer holiday at the lake'
printf '[Settings]\r\nUserChoice=1\r\nNeedShowSelDiag=0\r\n[Window]\r\nWidth=700\r\nHeight=420\r\n' \
    >"$RUN_DIR/UserSettings.ini"
printf '%s\r\n' \
    "2026-12-08 16:47:01  Drive clean  $long\\holiday-viewer.exe  cleaned" \
    "2026-12-08 16:47:02  Drive clean  $long\\Autorun.inf  cleaned" \
    "2026-12-08 16:48:10  Popup  Drive clean on E:\\: 2 threats removed, nothing of yours touched" \
    >"$RUN_DIR/History.log"

start_kestrone
main=$(settled_main) || fail "no main window"
[ "$(value client "$main")" = "700,420" ] || fail "not opened at the remembered size: $main"
driver click-tool 8 >/dev/null; sleep 2
rows=$(driver lv-rows 1905)
echo "$rows"
grep -qF "$long\\holiday-viewer.exe" <<<"$rows" || fail "the long path is not in the list"
size=$(value size "$(driver size 1905)")
[ "${size%,*}" -ge 600 ] || fail "the history list did not take the wider window: $size"
shot history-700x420

grown=$(driver main-size 960 600) || fail "could not size the window"
after=$(value size "$(driver size 1905)")
[ "${after%,*}" -gt "${size%,*}" ] && [ "${after#*,}" -gt "${size#*,}" ] ||
    fail "the history list did not grow with the window: $size -> $after"
shot history-960x600
driver quit-request >/dev/null
wait_exit "${KESTRONE_PIDS[-1]}" 30 || fail "did not end"
client=$(value client "$grown")
grep -q "^Width=${client%,*}" "$RUN_DIR/UserSettings.ini" ||
    fail "the new size was not remembered: $(tr -d '\r' <"$RUN_DIR/UserSettings.ini")"

log "PASS"
