#!/usr/bin/env bash
# A stick the user trusts: the threat question offers "Always trust this
# stick" (Wine reads the volume's serial and label from .windows-serial and
# .windows-label in the drive's root, once, when its mount manager starts).
# Ticked, the stick's own program that its Autorun.inf starts stays; a worm
# the definitions name still goes on the next attachment; the settings page
# lists the stick and Remove takes the trust away, after which the launch
# rules apply again.
source "$E2E_LIB"
private_run_dir
settings="$RUN_DIR/UserSettings.ini"
history="$RUN_DIR/History.log"

# The user's stick with a program of its own that its Autorun.inf starts.
own_stick() {
    empty_stick
    printf "1a2b3c4d" >"$STICK/.windows-serial"
    printf "WORK" >"$STICK/.windows-label"
    printf 'MZ inert Kestrone test tool of the stick\r\n' >"$STICK/tool.exe"
    printf '[AutoRun]\r\nopen=tool.exe\r\nshell\\open\\command=tool.exe\r\n' >"$STICK/Autorun.inf"
}

# Wine's mount manager reads the volume files when it starts, and only
# through an absolute link: the drive is linked so for this scenario and Wine
# started afresh; the shared relative link comes back at the end.
own_stick
ln -sfn "$STICK" "$E2E_PREFIX/dosdevices/e:"
trap 'status=$?; ln -sfn ../removable-e "$E2E_PREFIX/dosdevices/e:"; (exit $status); cleanup' EXIT
"$E2E_WINESERVER" -k 2>/dev/null
"$E2E_WINESERVER" -w 2>/dev/null
start_kestrone  # shown: the settings page is looked at too
settled_main >/dev/null || fail "no main window"
# answer_question TRUST: waits for the threat question, keeps its picture,
# answers "Clean infected files only" with the trust box as TRUST says.
answer_question() {
    local shotname=${2:-}
    for ((i = 0; i < 300; i++)); do driver dialog-open && break; sleep 0.1; done
    sleep 1
    [ -z "$shotname" ] || shot "$shotname"
    driver sel-choice 0 0 ok 30000 "$1"
}

volume=$(driver volume E) || fail "Wine gave no volume information for E:"
echo "$volume"
[ "$(value serial "$volume")" = 1A2B3C4D ] || fail "Wine does not read .windows-serial"
[ "$(value label "$volume")" = WORK ] || fail "Wine does not read .windows-label"

arrive E 2000 >"$E2E_SHOTS/.arrival" &
arrival=$!
question=$(answer_question 1 trusted-stick-question) || fail "no threat question"
echo "$question"
grep -q "child=Button|Always trust this stick" <<<"$question" || fail "no trust box in the question"
[ "$(value trust_enabled "$question")" = 1 ] || fail "trust box disabled for a stick with a serial"
[ "$(value trust_checked "$question")" = 0 ] || fail "an unknown stick shown as trusted"
wait "$arrival" || fail "first arrival not handled"
popup=$(driver popups)
echo "$popup"
grep -q 'trusted: launch rules skipped' <<<"$popup" || fail "popup does not say the stick is trusted"
[ -f "$STICK/tool.exe" ] && [ -f "$STICK/Autorun.inf" ] || fail "the trusted stick's own program was removed"
tr -d '\r' <"$settings" | grep -qx '1A2B-3C4D="WORK"' || fail "trust not stored"
grep -q 'Trust  Stick in E:\\ trusted: 1A2B-3C4D "WORK"' "$history" || fail "trust not in the history"
sleep 6

# Attached again with a worm the definitions name: it goes, the tool stays.
printf 'MZ inert Kestrone test specimen\r\n' >"$STICK/RavMon.exe"
arrive E 2000 >"$E2E_SHOTS/.arrival" &
arrival=$!
question=$(answer_question "") || fail "no threat question the second time"
[ "$(value trust_checked "$question")" = 1 ] || fail "the trusted stick not shown as trusted"
wait "$arrival" || fail "second arrival not handled"
popup=$(driver popups)
echo "$popup"
grep -qi 'RavMon.exe  cleaned' <<<"$popup" || fail "popup does not report the named worm"
sleep 1.2
shot trusted-stick-popup
[ ! -e "$STICK/RavMon.exe" ] || fail "a worm the definitions name was left on the trusted stick"
[ -f "$STICK/tool.exe" ] || fail "the trusted stick's own program was removed on re-attachment"
user_files_intact || fail "user files were touched"
grep -q 'Popup  .*trusted: launch rules skipped' "$history" || fail "the skipped rules not in the history"
sleep 6

# The settings page lists the stick; Remove takes the trust away.
driver click-tool 5 >/dev/null; sleep 1.5
rows=$(driver lv-rows 1612) || fail "no trusted sticks list"
echo "$rows"
grep -q '^row=0|1A2B-3C4D|WORK|' <<<"$rows" || fail "the settings page does not list the stick"
shot trusted-sticks-settings
driver lv-select 1612 0 >/dev/null || fail "cannot select the stick"
driver click 1613 >/dev/null || fail "no Remove button"
sleep 1.5
[ "$(value rows "$(driver lv-rows 1612)")" = 0 ] || fail "Remove left the stick in the list"
shot trusted-sticks-removed
! tr -d '\r' <"$settings" | grep -q '1A2B-3C4D' || fail "Remove left the stick in the settings file"
grep -q 'Trust  Trust removed from stick 1A2B-3C4D "WORK"' "$history" || fail "removal not in the history"

# No longer trusted: the launch rules take the Autorun.inf's program again.
arrive E 2000 >/dev/null &
arrival=$!
question=$(answer_question "") || fail "no threat question after Remove"
[ "$(value trust_checked "$question")" = 0 ] || fail "still shown as trusted after Remove"
wait "$arrival"
[ ! -e "$STICK/tool.exe" ] || fail "launch rules skipped on a stick no longer trusted"

driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
