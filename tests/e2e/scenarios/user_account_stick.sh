#!/usr/bin/env bash
# An ordinary account, Kestrone in a Program Files folder it cannot write: an
# infected stick is cleaned on arrival without a question (the defaults in
# the UserSettings.ini beside the program say so), the worm's sealed copy and
# the record of it land in the account's %LOCALAPPDATA%\Kestrone, and the
# History page restores the copy to the stick byte for byte and trusts it in
# the account's own settings. The program folder stays as it was installed.
source "$(dirname "$E2E_LIB")/as_user.sh"
defaults=$(mktemp -d)
# Off: the guard of attached drives would clean the stick before its arrival.
printf '[Settings]\r\nUserChoice=1\r\nNeedShowSelDiag=0\r\nGuardDrives=0\r\n' >"$defaults/UserSettings.ini"
install_program "$defaults/UserSettings.ini"
rm -rf "$defaults"
start_kestrone
settled_main >/dev/null || fail "no main window"

# --- Arrival: cleaned, copy and record in the account's folder ------------------
infected_stick
original=$(od -An -tx1 "$STICK/specimen.exe")
cleaned=$(arrive E 10000) || fail "infected arrival not handled"
echo "$cleaned"
[ -z "$(value dialog_ms "$cleaned")" ] || fail "asked although the defaults beside the program say not to"
grep -qi 'specimen.exe  cleaned' <<<"$(value text "$cleaned")" || fail "clean not reported"
worm_gone || fail "worm files still on the stick"
user_files_intact || fail "user files were touched"
sleep 1.2
shot user-arrival-cleaned
store="$USER_DATA/Quarantine"
[ -f "$store/index.txt" ] || fail "no quarantine index in $USER_DATA_WIN (drive_c holds: $(cd "$E2E_PREFIX/drive_c" && find . -name index.txt))"
tr -d '\r' <"$store/index.txt" | tee /dev/stderr | grep -qi 'E:\\specimen.exe' || fail "no quarantine record"
copies=("$store"/*.kq)
[ -f "${copies[0]}" ] || fail "no sealed copy in $store"
for file in "${copies[@]}"; do
    [ "$(head -c2 "$file")" != MZ ] || fail "a quarantined copy starts as a program: $file"
done
[ -f "$USER_DATA/History.log" ] || fail "no History.log in $USER_DATA_WIN"
grep -qi 'Popup.*specimen.exe  cleaned' "$USER_DATA/History.log" || fail "popup not in the account's history"
# One store and one history, and they are the account's: none beside the
# program, none in another folder of the account.
stores=$(cd "$E2E_PREFIX/drive_c" && find . -iname index.txt -path '*Quarantine*' -o -iname History.log | sort)
expected=$(cd "$E2E_PREFIX/drive_c" && find "./${USER_DATA#"$E2E_PREFIX/drive_c/"}" -iname index.txt -o -iname History.log | sort)
[ "$stores" = "$expected" ] || fail "records outside the account's folder: $stores"
program_folder_unchanged || fail "the program folder changed"
sleep 6  # let the popup go

# --- History page: the copy goes back and is trusted --------------------------
driver click-tool 8 >/dev/null; sleep 2
rows=$(driver lv-rows 1901)
echo "$rows"
row=$(grep -i '|E:\\specimen.exe|' <<<"$rows" | cut -d'|' -f1 | cut -d= -f2)
[ -n "$row" ] || fail "specimen not listed in the quarantine"
driver lv-select 1901 "$row" >/dev/null || fail "could not select the specimen"
shot user-quarantine-list
driver click 1903 >/dev/null || fail "no Restore button"
box=$(driver message-box "" 20000) || fail "no message after the restore"
echo "$box"
grep -qi 'has been restored' <<<"$box" || fail "restore not confirmed: $box"
shot user-quarantine-restored
driver press-yes "$(value caption "$box")" >/dev/null
sleep 1
[ "$(od -An -tx1 "$STICK/specimen.exe")" = "$original" ] || fail "restored file differs"
error=$(driver message-box "" 3000) && fail "a message after trusting the file: $error"
[ -f "$USER_DATA/UserSettings.ini" ] || fail "no UserSettings.ini in $USER_DATA_WIN"
tr -d '\r' <"$USER_DATA/UserSettings.ini" | grep -q '^TrustedFileCodes=' || fail "file code not trusted"
rows=$(driver lv-rows 1901)
grep -qi 'specimen.exe' <<<"$rows" && fail "restored entry still listed"
program_folder_unchanged || fail "the program folder changed"

driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
