#!/usr/bin/env bash
# The scan page: Start with only "Removable Media" checked cleans the infected
# stick E:, the report ends with "Scan completed successfully", and a second
# Start appends its report below the first.
source "$E2E_LIB"
private_run_dir
infected_stick
start_kestrone
settled_main >/dev/null || fail "no main window"
driver lv-check 1101 0 0 >/dev/null || fail "could not uncheck Operating Memory"
driver lv-check 1101 1 0 >/dev/null || fail "could not uncheck Local Drives"
targets=$(driver lv-rows 1101)
echo "$targets"
grep -qx 'row=2|Removable Media|checked' <<<"$targets" || fail "Removable Media not checked"
grep -qx 'row=0|Operating Memory|unchecked' <<<"$targets" || fail "Operating Memory still checked"

completed() { driver text 1104 | grep -c '^Scan completed successfully'; }
driver click 1102 >/dev/null || fail "no Start button"
for ((i = 0; i < 120; i++)); do [ "$(completed)" -ge 1 ] && break; sleep 1; done
report=$(driver text 1104 | tr -d '\r')
echo "$report"
[ "$(completed)" = 1 ] || fail "first scan did not complete"
[ "$(tail -1 <<<"$report")" = "Scan completed successfully" ] || fail "report does not end with the closing line"
grep -q 'E:\\' <<<"$report" || fail "report says nothing about E:"
worm_gone || fail "the scan left the worm on the stick"
user_files_intact || fail "the scan touched the user's files"
shot scan-page-first

driver click 1102 >/dev/null
for ((i = 0; i < 120; i++)); do [ "$(completed)" -ge 2 ] && break; sleep 1; done
second=$(driver text 1104 | tr -d '\r')
[ "$(completed)" = 2 ] || fail "second scan did not complete"
[ "${second:0:${#report}}" = "$report" ] || fail "second scan did not append below the first"
grep -q 'E:\\  no threat found' <<<"${second:${#report}}" || fail "second report lacks the clean stick"
shot scan-page-second
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
