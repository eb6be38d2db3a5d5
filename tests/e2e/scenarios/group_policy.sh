#!/usr/bin/env bash
# An administrator's Group Policy in the registry: the action "clean only"
# without asking, and USB storage disabled. The settings page shows the
# action and the alert switch disabled with "Set by your administrator", Save
# leaves the user's own choice in UserSettings.ini, the Tools page's USB switch
# is fixed, and an infected stick is cleaned without the question. The removal
# reaches the event log (Wine only traces it: WINEDEBUG=+eventlog).
source "$E2E_LIB"
private_run_dir
policies='HKLM\Software\Policies\Kestrone'
"$E2E_WINE" reg add "$policies" /v ThreatAction /t REG_DWORD /d 1 /f >/dev/null 2>&1 || fail "reg add"
"$E2E_WINE" reg add "$policies" /v AskBeforeAction /t REG_DWORD /d 0 /f >/dev/null 2>&1
"$E2E_WINE" reg add "$policies" /v DisableUsbStorage /t REG_DWORD /d 1 /f >/dev/null 2>&1
trap 'status=$?; "$E2E_WINE" reg delete "$policies" /f >/dev/null 2>&1; (exit $status); cleanup' EXIT
# Off: the guard of attached drives would clean the stick before its arrival.
printf '[Settings]\r\nUserChoice=3\r\nNeedShowSelDiag=1\r\nGuardDrives=0\r\n' >"$RUN_DIR/UserSettings.ini"

export WINEDEBUG=+eventlog
start_kestrone
settled_main >/dev/null || fail "no main window"

# state ID: "enabled visible checked" of a control.
state() { driver state "$1" | cut -d= -f2 | tr '\n' ' ' | sed 's/ $//'; }

driver click-tool 5 >/dev/null; sleep 1.5
log "alert box: $(state 1601), clean only: $(state 1604), clean and open: $(state 1606)"
[ "$(state 1601)" = "0 1 0" ] || fail "the alert switch is not disabled and off"
[ "$(state 1604)" = "0 1 1" ] || fail "\"Clean infected files only\" is not disabled and checked"
[ "$(state 1606)" = "0 1 0" ] || fail "\"Clean infected files and open\" is not disabled and clear"
[ "$(state 1602 | cut -d' ' -f1)" = 1 ] || fail "autostart, not set by policy, is disabled"
for note in 1608 1609; do
    [ "$(state $note | cut -d' ' -f2)" = 1 ] || fail "note $note is not shown"
    [ "$(driver text $note)" = "Set by your administrator" ] || fail "note $note says '$(driver text $note)'"
done
shot group-policy-settings
driver click 1607 >/dev/null || fail "no Save button"
driver message-box Prompt 20000 >/dev/null || fail "no Save message"
driver press-ok Prompt >/dev/null
ini=$(tr -d '\r' <"$RUN_DIR/UserSettings.ini")
grep -qx 'UserChoice=3' <<<"$ini" || fail "Save wrote over the user's own choice: $ini"
grep -qx 'NeedShowSelDiag=1' <<<"$ini" || fail "Save wrote over the user's alert switch: $ini"

driver click-tool 2 >/dev/null; sleep 1.5
log "USB storage box: $(state 1302), write-protect box: $(state 1303)"
[ "$(state 1302)" = "0 1 1" ] || fail "the USB storage switch is not disabled and on"
[ "$(state 1303 | cut -d' ' -f1)" = 1 ] || fail "the write-protect switch, not set by policy, is disabled"
[ "$(driver text 1306)" = "Set by your administrator" ] || fail "no note on the Tools page"
shot group-policy-tools

infected_stick
arrive E 8000 >/dev/null
for ((i = 0; i < 100; i++)); do worm_gone && break; sleep 0.2; done
worm_gone || fail "the stick was not cleaned by the policy's action"
driver dialog-open && fail "the threat dialog asked although the policy said not to"
user_files_intact || fail "user files lost"
sleep 1
grep -i "eventlog" "$KESTRONE_LOG" | grep -i "cleaned" | head -3
grep -i "eventlog" "$KESTRONE_LOG" | grep -qi 'specimen.exe  cleaned' ||
    fail "no event of the removal in Wine's event log trace"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
