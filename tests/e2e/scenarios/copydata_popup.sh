#!/usr/bin/env bash
# WM_COPYDATA "abc" shows a popup whose text is the intercepted-plug-in caption
# and abc; it slides in above the taskbar at the right edge of the work area
# and frees itself after its time-out.
source "$E2E_LIB"
start_kestrone -Hide
driver find-main 60000 >/dev/null || fail "no main window"
driver copydata abc >/dev/null || fail "could not send WM_COPYDATA"
sleep 0.2
growing=$(driver popups)
echo "$growing"
[ "$(value popups "$growing")" = 1 ] || fail "no popup"
[ "$(value caption "$growing")" = "截获插件  abc" ] || fail "wrong popup text"
sleep 1.5
full=$(driver popups)
echo "$full"
shot copydata-popup
area=$(driver work-area)
echo "$area"
IFS=, read -r left top right bottom <<<"$(value rect "$full")"
IFS=, read -r area_left area_top area_right area_bottom <<<"$(value workarea "$area")"
[ $((right - left)) = 190 ] && [ $((bottom - top)) = 140 ] || fail "popup is not 190 x 140"
[ "$right" = $((area_right - 16)) ] || fail "popup not 16 pixels from the right edge"
[ "$bottom" = $((area_bottom - 2)) ] || fail "popup not 2 pixels above the taskbar"
IFS=, read -r _ g_top _ g_bottom <<<"$(value rect "$growing")"
[ $((g_bottom - g_top)) -lt 140 ] || log "note: popup was already fully grown at the first look"
# 3 seconds shown, then it shrinks (16 steps of 25 ms) and frees itself.
for ((i = 0; i < 100; i++)); do
    [ "$(value popups "$(driver popups)")" = 0 ] && break
    sleep 0.2
done
[ "$(value popups "$(driver popups)")" = 0 ] || fail "popup did not go away"
[ "$(value windows "$(driver popup-windows)")" = 0 ] || fail "popup window was not freed"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
