#!/usr/bin/env bash
# Settings Save writes UserSettings.ini and the autostart value (quoted path,
# "-Hide"); the Tools page's Apply writes the two USB storage policies.
source "$E2E_LIB"
private_run_dir
start_kestrone
settled_main >/dev/null || fail "no main window"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
"$E2E_WINE" reg delete "$run_key" /v Kestrone.exe /f >/dev/null 2>&1

driver click-tool 5 >/dev/null; sleep 1.5
driver check 1601 0 >/dev/null || fail "no alert box"      # CheckBox5 off
driver check 1602 1 >/dev/null || fail "no autostart box"  # CheckBox3 on
driver check 1606 0 >/dev/null; driver check 1604 1 >/dev/null  # "Clean infected files only"
driver click 1607 >/dev/null || fail "no Save button"
box=$(driver message-box Prompt 20000) || fail "no Save message"
echo "$box"
grep -qx 'child=Static|Settings Saved' <<<"$box" || grep -q 'Settings Saved' <<<"$box" || fail "wrong Save message"
shot settings-saved
driver press-ok Prompt >/dev/null
ini=$(tr -d '\r' <"$RUN_DIR/UserSettings.ini")
echo "$ini"
grep -qx 'UserChoice=1' <<<"$ini" || fail "choice not saved"
grep -qx 'NeedShowSelDiag=0' <<<"$ini" || fail "alert switch not saved"
autostart=$(reg_value "$run_key" Kestrone.exe)
echo "autostart: $autostart"
[[ "$autostart" == \"*Kestrone.exe\"\ -Hide ]] || fail "autostart value not quoted path + -Hide"

driver click-tool 2 >/dev/null; sleep 1.5
driver check 1302 1 >/dev/null || fail "no USB storage box"
driver check 1303 1 >/dev/null || fail "no write-protect box"
driver click 1304 >/dev/null || fail "no Apply button"
box=$(driver message-box Prompt 20000) || fail "no Apply message"
grep -q 'Settings saved' <<<"$box" || fail "wrong Apply message"
shot usb-policies-applied
driver press-ok Prompt >/dev/null
start=$(reg_value 'HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR' Start)
protect=$(reg_value 'HKLM\SYSTEM\CurrentControlSet\Control\StorageDevicePolicies' WriteProtect)
echo "Start=$start WriteProtect=$protect"
[ "$start" = 0x4 ] || fail "USB storage not disabled"
[ "$protect" = 0x1 ] || fail "USB storage not write-protected"
# Apply with both boxes cleared writes 3 and 0; Save never touched them.
driver check 1302 0 >/dev/null; driver check 1303 0 >/dev/null
driver click 1304 >/dev/null
driver message-box Prompt 20000 >/dev/null && driver press-ok Prompt >/dev/null
[ "$(reg_value 'HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR' Start)" = 0x3 ] || fail "USB storage not enabled again"
# Autostart off again.
driver click-tool 5 >/dev/null; sleep 1.5
driver check 1602 0 >/dev/null
driver click 1607 >/dev/null
driver message-box Prompt 20000 >/dev/null && driver press-ok Prompt >/dev/null
[ -z "$(reg_value "$run_key" Kestrone.exe)" ] || fail "autostart value not removed"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
