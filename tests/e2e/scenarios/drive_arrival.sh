#!/usr/bin/env bash
# Sticks attached while Kestrone sits in the tray: a clean stick gets the
# no-threat popup; an infected one the threat question, and "Clean infected
# files only" removes the worm and nothing else; with "Don't show this again."
# ticked the next infected stick is cleaned without a question. Reports how
# long each arrival took to show its popup.
source "$E2E_LIB"
private_run_dir
start_kestrone -Hide
driver find-main 60000 >/dev/null || fail "no main window"
sleep 3

empty_stick
clean=$(arrive E 10000) || fail "clean arrival not handled"
echo "$clean"
[ "$(value text "$clean")" = 'Scan for E:\ drive,no threat found' ] || fail "wrong no-threat popup"
sleep 1.2  # fully slid in
shot arrival-clean-stick
clean_ms=$(value popup_ms "$clean")
sleep 6  # let the popup go

infected_stick
arrive E 2000 >"$E2E_SHOTS/.arrival" &
arrival=$!
question=$(driver sel-choice 0 0 ok 30000 2>&1 | tee /dev/stderr) || fail "no threat question"
grep -q "child=Button|Clean infected files and open usb drive safely" <<<"$question" ||
    fail "threat question lacks its choices"
wait "$arrival" || fail "infected arrival not handled"
cat "$E2E_SHOTS/.arrival"
popup=$(driver popups)
echo "$popup"
grep -qi 'specimen.exe  cleaned' <<<"$popup" || fail "popup does not report the specimen"
sleep 1.2
shot arrival-cleaned-popup
worm_gone || fail "worm files still on the stick"
user_files_intact || fail "user files were touched"
[ -z "$(ls "$STICK" | grep -iv -e thesis -e photos)" ] || fail "stick holds unexpected files"
sleep 6

# The close box is no permission to open the drive: nothing happens.
settings="$RUN_DIR/UserSettings.ini"
rm -f "$settings"
infected_stick
arrive E 2000 >/dev/null &
arrival=$!
driver sel-choice 2 1 close-box 30000 >/dev/null || fail "no threat question the second time"
wait "$arrival"
sleep 1
[ -f "$STICK/specimen.exe" ] || fail "close box cleaned the drive"
[ "$(value popups "$(driver popups)")" = 0 ] || fail "close box showed a popup"
[ ! -f "$settings" ] || fail "close box stored a choice"

# "Don't show this again." with "Clean infected files only": stored, and the
# next infected stick is cleaned at once.
arrive E 2000 >/dev/null &
arrival=$!
driver sel-choice 0 1 ok 30000 >/dev/null || fail "no threat question the third time"
wait "$arrival"
tr -d '\r' <"$settings" | grep -qx 'NeedShowSelDiag=0' || fail "switch not stored"
tr -d '\r' <"$settings" | grep -qx 'UserChoice=1' || fail "choice not stored"
sleep 6
infected_stick
silent=$(arrive E 10000) || fail "silent arrival not handled"
echo "$silent"
[ -z "$(value dialog_ms "$silent")" ] || fail "asked although switched off"
grep -qi 'specimen.exe  cleaned' <<<"$(value text "$silent")" || fail "silent clean not reported"
worm_gone || fail "worm files still on the stick after the silent clean"
user_files_intact || fail "user files were touched by the silent clean"
infected_ms=$(value popup_ms "$silent")
sleep 1.2
shot arrival-silent-clean

log "arrival to popup: clean stick ${clean_ms} ms, infected stick without question ${infected_ms} ms"
echo "clean_stick_popup_ms=$clean_ms" >"$E2E_SHOTS/arrival-timing.txt"
echo "infected_stick_popup_ms=$infected_ms" >>"$E2E_SHOTS/arrival-timing.txt"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
