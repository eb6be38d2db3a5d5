#!/usr/bin/env bash
# The tray icon as the shell has it, from the record Kestrone handed over: the
# shell shows the hint as the icon's tip, and passes a double click on the icon
# to Kestrone (the main window shows) and a right click (the tray menu opens,
# and its last item quits).
source "$E2E_LIB"
start_kestrone -Hide
driver find-main 60000 >/dev/null || fail "no main window published"
icon=$(driver shell-icon) || fail "the shell shows no tray icon"
echo "$icon"
IFS=, read -r x y <<<"$(value point "$icon")"
# The pointer rests on the icon, as a user's would.
xdotool mousemove $((x - 40)) $((y - 40))
sleep 0.5
xdotool mousemove "$x" "$y"
tip=$(driver shell-tip 20000) || fail "the shell shows no tip for the icon"
echo "$tip"
[ "$(value tip "$tip")" = "Real-time system protection is actived" ] || fail "wrong tip"
grep -q "^Definitions as shipped with Kestrone " <<<"$tip" || fail "the tip names no definitions"
shot tray-shell-tip
xdotool mousemove 512 384

[ "$(value visible "$(driver find-main 1000)")" = 0 ] || fail "main window visible after -Hide"
driver shell-click double >/dev/null || fail "no double click on the icon"
for ((i = 0; i < 100; i++)); do
    [ "$(value visible "$(driver find-main 1000)")" = 1 ] && break
    sleep 0.2
done
[ "$(value visible "$(driver find-main 1000)")" = 1 ] || fail "double click did not show the main window"

driver shell-click right >/dev/null || fail "no right click on the icon"
driver menu-shown 20000 || fail "right click did not open the tray menu"
shot tray-shell-menu
driver menu-choose-last >/dev/null || fail "no menu to choose from"
driver wait-gone 20000 >/dev/null || fail "Quit from the tray menu did not end the program"
log "PASS"
