#!/usr/bin/env bash
# The process page lists a program the driver started, as an unknown process
# with its path; Trust stores its path in Process.dat and the row then reads
# "Trusted process"; Close ends it and says so.
source "$E2E_LIB"
private_run_dir
start_kestrone
settled_main >/dev/null || fail "no main window"
"$E2E_WINE" "$E2E_HOLDER" >/dev/null 2>&1 &
holder=$!
for ((i = 0; i < 50; i++)); do
    [ "$(value running "$(driver running e2e-holder.exe)")" -ge 1 ] && break
    sleep 0.2
done
row_of() { driver lv-rows 1201 | grep -i '|e2e-holder.exe|' | head -1; }
driver click-tool 1 >/dev/null; sleep 2
row=$(row_of)
echo "$row"
[ -n "$row" ] || fail "the started program is not listed"
grep -q '|UnKnow process|' <<<"$row" || fail "not an unknown process"
grep -qi 'e2e-holder.exe|unchecked$' <<<"$row" || fail "no path shown"
shot process-page-listed

index=$(cut -d'|' -f1 <<<"$row" | cut -d= -f2)
driver lv-check 1201 "$index" 1 >/dev/null || fail "could not tick the row"
driver click 1203 >/dev/null || fail "no Trust button"
sleep 2
tr -d '\r' <"$RUN_DIR/Process.dat" | grep -qi 'e2e-holder.exe' || fail "path not stored in Process.dat"
row=$(row_of)
echo "$row"
grep -q '|Trusted process|' <<<"$row" || fail "row does not read Trusted process"
shot process-page-trusted

index=$(cut -d'|' -f1 <<<"$row" | cut -d= -f2)
driver lv-check 1201 "$index" 1 >/dev/null
driver click 1202 >/dev/null || fail "no Close button"
box=$(driver message-box Prompt 20000) || fail "no Close message"
echo "$box"
grep -q 'child=Static|Close the process successfully' <<<"$box" || fail "Close did not report success"
driver press-ok Prompt >/dev/null
wait_exit "$holder" 20 || fail "the program still runs"
[ "$(value running "$(driver running e2e-holder.exe)")" = 0 ] || fail "the program is still listed as running"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
