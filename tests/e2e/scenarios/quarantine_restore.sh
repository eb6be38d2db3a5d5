#!/usr/bin/env bash
# Nothing lost: an infected stick is cleaned on arrival without a question,
# the specimen lands sealed in the quarantine beside the program, and the
# History page restores it to the stick byte for byte. The USB policy switched
# on the Tools page is then undone from the history.
source "$E2E_LIB"
private_run_dir
# Off: the guard of attached drives would clean the stick before its arrival.
printf '[Settings]\r\nUserChoice=1\r\nNeedShowSelDiag=0\r\nGuardDrives=0\r\n' >"$RUN_DIR/UserSettings.ini"
start_kestrone
settled_main >/dev/null || fail "no main window"

infected_stick
original=$(od -An -tx1 "$STICK/specimen.exe")
cleaned=$(arrive E 10000) || fail "infected arrival not handled"
echo "$cleaned"
grep -qi 'specimen.exe  cleaned' <<<"$(value text "$cleaned")" || fail "clean not reported"
worm_gone || fail "worm files still on the stick"
store="$RUN_DIR/Quarantine"
tr -d '\r' <"$store/index.txt" | tee /dev/stderr | grep -qi 'E:\\specimen.exe' || fail "no quarantine record"
for file in "$store"/*.kq; do
    [ "$(head -c2 "$file")" != MZ ] || fail "a quarantined copy starts as a program: $file"
done
grep -c . "$RUN_DIR/History.log" >/dev/null || fail "no history written"
grep -qi 'Popup.*specimen.exe  cleaned' "$RUN_DIR/History.log" || fail "popup not in the history"
sleep 6  # let the popup go

driver click-tool 8 >/dev/null; sleep 2
rows=$(driver lv-rows 1901)
echo "$rows"
row=$(grep -i '|E:\\specimen.exe|' <<<"$rows" | cut -d'|' -f1 | cut -d= -f2)
[ -n "$row" ] || fail "specimen not listed in the quarantine"
driver lv-select 1901 "$row" >/dev/null || fail "could not select the specimen"
shot quarantine-list
driver click 1903 >/dev/null || fail "no Restore button"
box=$(driver message-box Confirm 20000) || fail "no trust question after the restore"
echo "$box"
grep -qi 'has been restored' <<<"$box" || fail "restore not confirmed"
shot quarantine-restored
driver press-yes Confirm >/dev/null
sleep 1
[ "$(od -An -tx1 "$STICK/specimen.exe")" = "$original" ] || fail "restored file differs"
tr -d '\r' <"$RUN_DIR/UserSettings.ini" | grep -q '^TrustedFileCodes=' || fail "file code not trusted"
rows=$(driver lv-rows 1901)
grep -qi 'specimen.exe' <<<"$rows" && fail "restored entry still listed"

# Undo: the write protection switched on from the Tools page goes back.
policies='HKLM\SYSTEM\CurrentControlSet\Control\StorageDevicePolicies'
"$E2E_WINE" reg delete "$policies" /v WriteProtect /f >/dev/null 2>&1
driver click-tool 2 >/dev/null; sleep 1.5
driver check 1303 1 >/dev/null || fail "no write-protect box"
driver click 1304 >/dev/null || fail "no Apply on the Tools page"
driver message-box Prompt 20000 >/dev/null || fail "policies not saved"
driver press-ok Prompt >/dev/null
[ "$(reg_value "$policies" WriteProtect)" = 0x1 ] || fail "write protection not set"
driver click-tool 8 >/dev/null; sleep 2
shot history-with-undo
lines=$(tr -d '\r' <"$RUN_DIR/History.log")
echo "$lines"
index=$(grep -n 'Write-protected USB storage devices (undo ' <<<"$lines" | tail -1 | cut -d: -f1)
[ -n "$index" ] || fail "no undo line in the history"
driver lv-select 1905 $((index - 1)) >/dev/null || fail "could not select the history line"
driver click 1906 >/dev/null
driver message-box Confirm 20000 >/dev/null || fail "no undo question"
driver press-yes Confirm >/dev/null
box=$(driver message-box Prompt 20000) || fail "no undo message"
grep -q 'has been undone' <<<"$box" || fail "undo failed: $box"
shot history-undone
driver press-ok Prompt >/dev/null
[ -z "$(reg_value "$policies" WriteProtect)" ] || fail "write protection still set after undo"

driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
