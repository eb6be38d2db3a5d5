#!/usr/bin/env bash
# USB unlock: a program started with a file on E: as its argument is ended,
# Kestrone itself survives, and Explorer runs again afterwards.
source "$E2E_LIB"
private_run_dir
empty_stick
start_kestrone
settled_main >/dev/null || fail "no main window"
"$E2E_WINE" "$E2E_HOLDER" 'E:\Thesis.doc' >/dev/null 2>&1 &
holder=$!
for ((i = 0; i < 50; i++)); do
    [ "$(value running "$(driver running e2e-holder.exe)")" -ge 1 ] && break
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
sleep 1
box=$(driver message-box Prompt 30000) || fail "no unlock message"
echo "$box"
grep -q 'Unlock usb device successfully ,you can remove it now.' <<<"$box" || fail "unlock not reported as done"
shot unlock-done
driver press-ok Prompt >/dev/null
wait_exit "$holder" 20 || fail "the program holding E: still runs"
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
