#!/usr/bin/env bash
# The skin draws the program's windows: the main window wears the skin's frame
# around its own 429 x 269 client area and its controls are skinned on every
# page; a push button shows its hover and pressed frames under a real mouse;
# the tray menu opens skinned.
source "$E2E_LIB"
source "$(dirname "$0")/../skin_probe/probe.sh"
start_kestrone
settled_main >/dev/null || fail "no main window"
main=$(probe main) || fail "main window not found"
echo "$main"
[ "$(value skinned "$main")" = 1 ] || fail "main window not skinned"
[ "$(value client "$main")" = 429x269 ] || fail "client area is not 429 x 269"
[ "$(value size "$main")" = 439x301 ] || fail "frame is not the skin's (borders 5, title 27)"
[ "$(value caption "$main")" = "Kestrone V2.3" ] || fail "caption changed"
shot skinned-main
# Every page shows skinned controls (the toolbar order: 0 scan ... 7 about).
declare -A wanted=([0]="Button|Start" [1]="Button|&Trust" [2]="Button|Unlock" [3]="Button|&Apply"
                   [4]="Button|&Check All" [5]="Button|&Save" [7]="Button|&Help")
for index in 0 1 2 3 4 5 7; do
    driver click-tool "$index" >/dev/null || fail "toolbar button $index"
    sleep 1
    page=$(probe main)
    grep -qx "child=${wanted[$index]}|1" <<<"$page" || fail "page $index: ${wanted[$index]} not skinned"
done
# A button under the mouse, then pressed (the fix-system page's Check All).
driver click-tool 4 >/dev/null
sleep 1
at=$(probe control-centre "&Check All") || fail "no Check All button"
xdotool mousemove "$(value x "$at")" "$(value y "$at")"
sleep 1
shot skinned-button-hover
xdotool mousedown 1
sleep 1
shot skinned-button-pressed
xdotool mouseup 1
xdotool mousemove 5 5
sleep 0.5
# The tray menu.
driver tray-menu-open >/dev/null || fail "tray menu did not open"
sleep 1
menu=$(probe menu) || fail "no menu window"
echo "$menu"
[ "$(value skinned "$menu")" = 1 ] || fail "tray menu not skinned"
IFS=, read -r left top _ _ <<<"$(value rect "$menu")"
xdotool mousemove $((left + 60)) $((top + 34))  # over the second item
sleep 1
shot skinned-tray-menu
xdotool key Escape
sleep 0.5
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
