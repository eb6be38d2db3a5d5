#!/usr/bin/env bash
# The repair page applies one ticked item and says so; the immunity page's
# Apply immunises the stick E: (hidden Autorun.inf folder with its ReadMe and
# the dotted folder) and Cancel takes it away again.
source "$E2E_LIB"
private_run_dir
empty_stick
policies='HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer'
winlogon='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon'
# A worm's leftovers: the shell replaced, and the policy key (which Kestrone
# never creates) present without a value.
"$E2E_WINE" reg add "$winlogon" /v Shell /d 'worm.exe' /f >/dev/null 2>&1
"$E2E_WINE" reg add "$policies" /f >/dev/null 2>&1
"$E2E_WINE" reg delete "$policies" /v NoDriveTypeAutoRun /f >/dev/null 2>&1
start_kestrone
settled_main >/dev/null || fail "no main window"

driver click-tool 4 >/dev/null; sleep 2
items=$(driver lv-rows 1501)
echo "$items"
row=$(grep '|Restore the Windows shell|' <<<"$items" | cut -d'|' -f1 | cut -d= -f2)
[ -n "$row" ] || fail "repair item not listed"
driver click 1502 >/dev/null  # Apply with nothing ticked
box=$(driver message-box Prompt 20000) || fail "no message for an empty Apply"
grep -q 'Please select section you want to repair first!' <<<"$box" || fail "wrong empty-Apply message"
driver press-ok Prompt >/dev/null
driver lv-check 1501 "$row" 1 >/dev/null || fail "could not tick the item"
driver click 1502 >/dev/null
box=$(driver message-box Prompt 30000) || fail "no repair message"
echo "$box"
grep -q 'Repair registry successfully' <<<"$box" || fail "repair not reported"
shot repair-applied
driver press-ok Prompt >/dev/null
shell=$(reg_value "$winlogon" Shell)
echo "Shell=$shell"
[ "${shell,,}" = explorer.exe ] || fail "repair item not applied"

driver click-tool 3 >/dev/null; sleep 1.5
driver click 1407 >/dev/null || fail "no Apply button"
box=$(driver message-box Prompt 30000) || fail "no immunity message"
grep -q 'Immunity successfully!' <<<"$box" || fail "immunity not reported"
shot immunity-applied
driver press-ok Prompt >/dev/null
[ -d "$STICK/Autorun.inf" ] || fail "no Autorun.inf folder on E:"
[ -f "$STICK/Autorun.inf/ReadMe.txt" ] || fail "no ReadMe in the immunity folder"
[ -d "$STICK/Autorun.inf/ImmunityFolder..." ] || fail "no dotted folder"
user_files_intact || fail "immunity touched the user's files"
[ "$(reg_value "$policies" NoDriveTypeAutoRun)" = 0xff ] || fail "autorun not switched off"

driver click 1408 >/dev/null || fail "no Cancel button"
box=$(driver message-box Prompt 30000) || fail "no cancel message"
grep -q 'Cancel immunity successfully!' <<<"$box" || fail "cancel not reported"
driver press-ok Prompt >/dev/null
for ((i = 0; i < 100; i++)); do [ -e "$STICK/Autorun.inf" ] || break; sleep 0.2; done
[ ! -e "$STICK/Autorun.inf" ] || fail "Cancel left the immunity folder"
[ "$(reg_value "$policies" NoDriveTypeAutoRun)" = 0x95 ] || fail "autorun policy not restored"
user_files_intact || fail "Cancel touched the user's files"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
