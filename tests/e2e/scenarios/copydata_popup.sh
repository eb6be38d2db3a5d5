#!/usr/bin/env bash
# WM_COPYDATA "abc" shows a popup whose text is the intercepted-plug-in caption
# and abc; it grows out of the taskbar edge at the right of the work area, 2
# pixels above its bottom, stays, shrinks and frees itself after its time-out.
source "$E2E_LIB"
start_kestrone -Hide
driver find-main 60000 >/dev/null || fail "no main window"
area=$(driver work-area)
marker="$E2E_SHOTS/.popup-full"
rm -f "$marker"
driver popup-watch abc "Z:$(tr / '\\' <<<"$marker")" >"$E2E_SHOTS/.popup-watch" &
watcher=$!
for ((i = 0; i < 100; i++)); do
    [ -f "$marker" ] && break
    sleep 0.1
done
shot copydata-popup
wait "$watcher" || fail "no popup appeared"
watch=$(cat "$E2E_SHOTS/.popup-watch")
echo "$area"
echo "$watch"
[ "$(value text "$watch")" = "截获插件  abc" ] || fail "wrong popup text"
full=$(grep '^rect=' <<<"$watch" | tail -1 | cut -d= -f2)
IFS=, read -r left top right bottom <<<"$full"
IFS=, read -r _ _ area_right area_bottom <<<"$(value workarea "$area")"
[ $((right - left)) = 190 ] && [ $((bottom - top)) = 140 ] || fail "popup is not 190 x 140"
[ "$right" = $((area_right - 16)) ] || fail "popup not 16 pixels from the right of the work area"
[ "$bottom" = $((area_bottom - 2)) ] || fail "popup not 2 pixels above the taskbar"
[ "$(value smallest_height "$watch")" -lt 140 ] || fail "popup did not grow"
[ "$(value height_changes "$watch")" -gt 3 ] || fail "popup grew in too few steps"
gone=$(value gone_ms "$watch")
shown=$(value full_ms "$watch")
[ $((gone - shown)) -ge 3000 ] || fail "popup left before its 3-second time-out"
[ "$(value freed "$watch")" = 1 ] || fail "popup window was not freed"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
