#!/usr/bin/env bash
# Kestrone started with the user's ordinary rights, as the log-on start runs
# it: the commands that need administrator rights carry the shield; the Tools
# page's Apply starts an elevated copy for that one command ("runas"), which
# writes the USB storage policies, hands its result back to the tray instance
# ("Settings saved") and ends. Autostart needs no prompt: it goes to the
# user's own Run key.
source "$E2E_LIB"
private_run_dir
usbstor='HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR'
"$E2E_WINE" reg add "$usbstor" /v Start /t REG_DWORD /d 3 /f >/dev/null 2>&1
user_run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
machine_run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
"$E2E_WINE" reg delete "$user_run" /v Kestrone.exe /f >/dev/null 2>&1
"$E2E_WINE" reg delete "$machine_run" /v Kestrone.exe /f >/dev/null 2>&1

driver work-area >/dev/null
windows_dir="C:\\kestrone-$SCENARIO"
# Not through a pipe: the started program keeps the driver's output open.
"$E2E_WINE" "$E2E_DRIVER" start-ordinary "$windows_dir" "\"$windows_dir\\Kestrone.exe\"" \
    >"$E2E_SHOTS/$SCENARIO-start.txt" 2>>"$KESTRONE_LOG" || fail "could not start with ordinary rights"
settled_main >/dev/null || fail "no main window"

driver click-tool 2 >/dev/null; sleep 1.5
shot elevated-command-shield
driver check 1302 1 >/dev/null || fail "no USB storage box"
driver check 1303 0 >/dev/null
started=$(date +%s%N)
driver click 1304 >/dev/null || fail "no Apply button"
box=$(driver message-box Prompt 60000) || fail "no result from the elevated copy"
echo "$box"
grep -q 'Settings saved' <<<"$box" || fail "wrong result message"
log "elevated round trip: $(( ($(date +%s%N) - started) / 1000000 )) ms"
shot elevated-command-result
driver press-ok Prompt >/dev/null
start=$(reg_value "$usbstor" Start)
echo "Start=$start"
[ "$start" = 0x4 ] || fail "the elevated copy did not disable USB storage"
history=$(tr -d '\r' <"$RUN_DIR/History.log" 2>/dev/null)
grep -q 'Policy  USB storage disabled: yes' <<<"$history" || fail "no history line of the policy change"
# The elevated copy ended: only the tray instance is left.
copies=$(value running "$(driver running Kestrone.exe)")
[ "$copies" = 1 ] || fail "copies of Kestrone running: $copies (the elevated one should have ended)"

# Autostart for this user, without administrator rights.
driver click-tool 5 >/dev/null; sleep 1.5
driver check 1602 1 >/dev/null || fail "no autostart box"
driver click 1607 >/dev/null || fail "no Save button"
driver message-box Prompt 20000 >/dev/null || fail "no Save message"
driver press-ok Prompt >/dev/null
[ -n "$(reg_value "$user_run" Kestrone.exe)" ] || fail "no autostart value for this user"
[ -z "$(reg_value "$machine_run" Kestrone.exe)" ] || fail "the machine's Run key was written without rights"

"$E2E_WINE" reg add "$usbstor" /v Start /t REG_DWORD /d 3 /f >/dev/null 2>&1
"$E2E_WINE" reg delete "$user_run" /v Kestrone.exe /f >/dev/null 2>&1
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
