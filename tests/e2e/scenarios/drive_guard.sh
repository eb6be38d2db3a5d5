#!/usr/bin/env bash
# A clean stick stays attached while Kestrone sits in the tray; then a worm on
# the PC writes its program and an Autorun.inf to it. The guard, which watches
# the stick's root, cleans it at once and says so in its popup; the user's
# files stay. A worm program running on the PC that writes to the stick is
# ended with what it wrote. With the guard switched off in the settings file, a worm written
# to the stick stays until the stick comes back.
source "$E2E_LIB"
private_run_dir
empty_stick
start_kestrone -Hide
driver find-main 60000 >/dev/null || fail "no main window"
sleep 3

printf 'MZ inert Kestrone test specimen\r\n' >"$STICK/specimen.exe"
printf '[AutoRun]\r\nshellexecute=specimen.exe\r\n' >"$STICK/Autorun.inf"
popup=""
for ((i = 0; i < 60; i++)); do
    popup=$(driver popups)
    grep -q 'Guard: a worm wrote to E:' <<<"$popup" && break
    sleep 1
done
echo "$popup"
grep -q 'Guard: a worm wrote to E:' <<<"$popup" || fail "no guard popup"
grep -qi 'specimen.exe  cleaned' <<<"$popup" || fail "the guard popup does not report the specimen"
# No writer runs here: programs that come and go meanwhile are not its doing.
! grep -q 'Ended on this PC' <<<"$popup" || fail "the popup names processes the guard did not end"
sleep 1.2
shot drive-guard-popup
worm_gone || fail "worm files still on the stick"
user_files_intact || fail "the guard touched the user's files"
grep -q 'Guard of E:' "$RUN_DIR/History.log" 2>/dev/null || log "note: no history line naming the guard"
sleep 4  # the popup goes

# A worm running on this PC writes a copy of itself and an Autorun.inf to the
# attached stick, and keeps running: both go, and so does the writer.
"$E2E_WINE" "$E2E_WORM_WRITER" E: >/dev/null 2>&1 &
writer=$!
written=0
for ((i = 0; i < 3000; i++)); do
    [ -e "$STICK/Autorun.inf" ] && { written=$(date +%s%N); break; }
    sleep 0.01
done
[ "$written" != 0 ] || fail "the writer wrote nothing"
gone=0
for ((i = 0; i < 1000; i++)); do
    [ ! -e "$STICK/Autorun.inf" ] && [ ! -e "$STICK/usbhelper.exe" ] && { gone=$(date +%s%N); break; }
    sleep 0.01
done
[ "$gone" != 0 ] || fail "the guard did not remove what the writer wrote"
log "guard latency: $(((gone - written) / 1000000)) ms from the write to the removal"
wait_exit "$writer" 20 || fail "the writer still runs"
popup=$(driver popups)
echo "$popup"
grep -q 'Ended on this PC:e2e-worm-writer.exe' <<<"$popup" || fail "the popup does not name the writer it ended"
sleep 1
shot drive-guard-writer-ended
user_files_intact || fail "the guard touched the user's files"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"

# Switched off: nothing watches the stick.
printf '[Settings]\r\nGuardDrives=0\r\n' >"$RUN_DIR/UserSettings.ini"
start_kestrone -Hide
driver find-main 60000 >/dev/null || fail "no main window the second time"
sleep 3
printf 'MZ inert Kestrone test specimen\r\n' >"$STICK/specimen.exe"
printf '[AutoRun]\r\nshellexecute=specimen.exe\r\n' >"$STICK/Autorun.inf"
sleep 8
[ -f "$STICK/specimen.exe" ] || fail "the switched-off guard cleaned the stick"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end the second time"
log "PASS"
