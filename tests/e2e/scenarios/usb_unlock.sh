#!/usr/bin/env bash
# USB unlock: the programs holding E: are listed with what they hold; the one
# the user leaves unticked keeps running, the ticked one started with a file on
# E: is ended, the report names it, Kestrone itself survives, and Explorer runs
# again afterwards.
source "$E2E_LIB"
private_run_dir
empty_stick
start_kestrone
settled_main >/dev/null || fail "no main window"
"$E2E_WINE" "$E2E_HOLDER" 'E:\Thesis.doc' >/dev/null 2>&1 &
holder=$!
"$E2E_WINE" "$E2E_HOLDER" 'E:\Unsaved notes.txt' >/dev/null 2>&1 &
kept=$!
for ((i = 0; i < 50; i++)); do
    [ "$(value running "$(driver running e2e-holder.exe)")" -ge 2 ] && break
    sleep 0.2
done
driver click-tool 2 >/dev/null; sleep 1.5
detected=$(driver status 1305 1)
echo "$detected"
[ "$(value status "$detected")" = "  Detected USB device: E" ] || fail "wrong detection line"
shot tools-page

driver click 1301 >/dev/null || fail "no Unlock button"
tip=$(driver message-box Prompt 20000) || fail "no warning before the unlock"
echo "$tip"
grep -q 'will exit programs using USB disk' <<<"$tip" || fail "wrong warning"
shot unlock-warning
driver press-ok Prompt >/dev/null
driver message-box "Unlock USB disk" 20000 >/dev/null || fail "no list of the programs holding E:"
rows=$(driver lv-rows 402)
echo "$rows"
grep -q 'E:\\Thesis.doc' <<<"$rows" || fail "the list does not say what holds E:"
notes=$(grep -n 'Unsaved notes.txt' <<<"$rows" | head -1 | cut -d: -f1)
[ -n "$notes" ] || fail "the second holder is not listed"
driver lv-check 402 $((notes - 1)) 0 >/dev/null || fail "could not untick the notes"
sleep 0.5
shot unlock-holders
driver press-ok "Unlock USB disk" >/dev/null
sleep 1
# Explorer is in the list too: closing it is asked once more.
if explorer_box=$(driver message-box Prompt 5000) && grep -q 'closure of Explorer' <<<"$explorer_box"; then
    driver press-ok Prompt >/dev/null
    sleep 1
fi
box=$(driver message-box Prompt 30000) || fail "no unlock message"
echo "$box"
grep -q 'Closed: .*e2e-holder.exe' <<<"$box" || fail "the report does not name what was closed"
grep -q 'Unable to unlock' <<<"$box" && fail "the unlock reported a failure: $box"
shot unlock-done
driver press-ok Prompt >/dev/null
wait_exit "$holder" 20 || fail "the program holding E: still runs"
kill -0 "$kept" 2>/dev/null || fail "the unticked program was closed"
kill "$kept" 2>/dev/null
driver find-main 5000 >/dev/null || fail "Kestrone ended itself"
explorer=0
for ((i = 0; i < 50; i++)); do
    explorer=$(value running "$(driver running explorer.exe)")
    [ "$explorer" -ge 1 ] && break
    sleep 0.2
done
[ "$explorer" -ge 1 ] || fail "Explorer does not run again"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
