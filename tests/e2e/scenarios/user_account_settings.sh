#!/usr/bin/env bash
# An ordinary account, Kestrone in a Program Files folder it cannot write:
# Settings Save succeeds and keeps the choices in the account's
# %LOCALAPPDATA%\Kestrone\UserSettings.ini; Trust on the process page keeps
# the program's path in the account's Process.dat (its trust list only, the
# shipped lists stay beside the program). A new start of Kestrone goes by both:
# the trusted program reads "Trusted process", and an infected stick is
# cleaned without a question, as saved.
source "$(dirname "$E2E_LIB")/as_user.sh"
install_program
start_kestrone
settled_main >/dev/null || fail "no main window"

# --- Settings Save ----------------------------------------------------------------
driver click-tool 5 >/dev/null; sleep 1.5
driver check 1601 0 >/dev/null || fail "no alert box"                # no question on arrival
driver check 1606 0 >/dev/null; driver check 1604 1 >/dev/null  # "Clean infected files only"
# Guard off: the guard of attached drives would clean the stick before its arrival.
driver check 1610 0 >/dev/null || fail "no guard box"
driver click 1607 >/dev/null || fail "no Save button"
box=$(driver message-box "" 20000) || fail "no message after Save"
echo "$box"
shot user-settings-saved
grep -q 'Unable to write to' <<<"$box" && fail "Save refused: $(grep child= <<<"$box" | tr '\n' ' ')"
grep -q 'Settings Saved' <<<"$box" || fail "wrong Save message"
driver press-ok "$(value caption "$box")" >/dev/null
[ -f "$USER_DATA/UserSettings.ini" ] || fail "no UserSettings.ini in $USER_DATA_WIN"
ini=$(tr -d '\r' <"$USER_DATA/UserSettings.ini")
echo "$ini"
grep -qx 'UserChoice=1' <<<"$ini" || fail "choice not saved"
grep -qx 'NeedShowSelDiag=0' <<<"$ini" || fail "alert switch not saved"
program_folder_unchanged || fail "the program folder changed"

# --- Trust on the process page ------------------------------------------------------
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
grep -q '|UnKnow process|' <<<"$row" || fail "the started program is not listed as unknown"
index=$(cut -d'|' -f1 <<<"$row" | cut -d= -f2)
driver lv-check 1201 "$index" 1 >/dev/null || fail "could not tick the row"
driver click 1203 >/dev/null || fail "no Trust button"
sleep 2
error=$(driver message-box "" 3000) && fail "a message after Trust: $(grep child= <<<"$error" | tr '\n' ' ')"
[ -f "$USER_DATA/Process.dat" ] || fail "no Process.dat in $USER_DATA_WIN"
lists=$(tr -d '\r' <"$USER_DATA/Process.dat")
echo "$lists"
grep -i '^TrustProcesses=' <<<"$lists" | grep -qi 'e2e-holder.exe' || fail "path not in the account's TrustProcesses"
[ -z "$(grep '=' <<<"$lists" | grep -iv '^TrustProcesses=')" ] || fail "the account's Process.dat holds more than its trust list"
row=$(row_of)
grep -q '|Trusted process|' <<<"$row" || fail "row does not read Trusted process: $row"
shot user-process-trusted
program_folder_unchanged || fail "the program folder changed"

# --- A new start goes by what the account saved -------------------------------------
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
start_kestrone
settled_main >/dev/null || fail "no main window after the new start"
infected_stick
silent=$(arrive E 10000) || fail "infected arrival not handled"
echo "$silent"
[ -z "$(value dialog_ms "$silent")" ] || fail "asked although the saved settings say not to"
grep -qi 'specimen.exe  cleaned' <<<"$(value text "$silent")" || fail "clean not reported"
worm_gone || fail "worm files still on the stick"
user_files_intact || fail "user files were touched"
sleep 1.2
shot user-saved-choice-cleaned
driver click-tool 1 >/dev/null; sleep 2
row=$(row_of)
echo "$row"
grep -q '|Trusted process|' <<<"$row" || fail "the trust did not outlast the new start: $row"
program_folder_unchanged || fail "the program folder changed"

driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
