#!/usr/bin/env bash
# An ordinary account runs the command-line scanner of a Kestrone installed in
# a Program Files folder it cannot write: "kestrone-scan.exe E:\" removes the
# worm from an infected stick, says so in its exit code, and keeps the sealed
# copy and the history line in the account's %LOCALAPPDATA%\Kestrone, where
# Kestrone's History page then lists the copy. The program folder stays as it
# was installed.
source "$(dirname "$E2E_LIB")/as_user.sh"
install_program
infected_stick
"$E2E_WINE" "$PROGRAM_WIN\\kestrone-scan.exe" 'E:\' >"$E2E_SHOTS/user-scan-command.txt" \
    2>"$E2E_SHOTS/user-scan-command.err"
code=$?
output=$(tr -d '\r' <"$E2E_SHOTS/user-scan-command.txt")
echo "$output"
log "kestrone-scan E:\\ ended with $code; standard error: $(tr -d '\r' <"$E2E_SHOTS/user-scan-command.err" | tr '\n' ' ')"
grep -qi 'specimen.exe  cleaned' <<<"$output" || fail "the scanner does not report the specimen"
[ "$code" = 1 ] || fail "exit code $code, expected 1 (threats found, all removed)"
worm_gone || fail "worm files still on the stick"
user_files_intact || fail "user files were touched"
program_folder_unchanged || fail "the program folder changed"

store="$USER_DATA/Quarantine"
[ -f "$store/index.txt" ] || fail "no quarantine index in $USER_DATA_WIN (drive_c holds: $(cd "$E2E_PREFIX/drive_c" && find . -name index.txt))"
tr -d '\r' <"$store/index.txt" | tee /dev/stderr | grep -qi 'E:\\specimen.exe' || fail "no quarantine record"
copies=("$store"/*.kq)
[ -f "${copies[0]}" ] || fail "no sealed copy in $store"
[ -f "$USER_DATA/History.log" ] || fail "no History.log in $USER_DATA_WIN"
tr -d '\r' <"$USER_DATA/History.log" | tee /dev/stderr | grep -qi 'specimen.exe' ||
    fail "the account's history does not name the specimen"

# The tray program reads the same store.
start_kestrone
settled_main >/dev/null || fail "no main window"
driver click-tool 8 >/dev/null; sleep 2
rows=$(driver lv-rows 1901)
echo "$rows"
grep -qi '|E:\\specimen.exe|' <<<"$rows" || fail "the History page does not list the scanner's copy"
shot user-scan-command-history
program_folder_unchanged || fail "the program folder changed"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
