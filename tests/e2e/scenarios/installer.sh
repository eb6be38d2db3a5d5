#!/usr/bin/env bash
# The installer as a user and an administrator meet it: a silent install into
# Program Files with the start-up value, the Start-menu shortcuts and the
# uninstall entry; Kestrone started from the installed place, its help opened
# from the About page; a silent uninstall while Kestrone runs, which ends it
# and leaves nothing behind. Then the user's data: kept by a plain uninstall,
# removed with /PURGE; and an install without the start-up value.
source "$E2E_LIB"
[ -f "${E2E_SETUP:-}" ] || fail "no installer at '${E2E_SETUP:-}' (is makensis installed?)"

drive_c="$E2E_PREFIX/drive_c"
instdir="$drive_c/Program Files/Kestrone"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrone'
program_files="Kestrone.exe kestrone-scan.exe Update.exe kernel.dll Process.dat Kestrone.skin Help.chm License.txt ReadMe.txt Uninstall.exe"

# reg_value KEY NAME: the data of a registry value, empty when it is missing.
reg_value() {
    "$E2E_WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
reg_key_exists() { "$E2E_WINE" reg query "$1" >/dev/null 2>&1; }
shortcuts() { find "$drive_c" -path '*Start Menu*' -name '*.lnk' -path '*Kestrone*' 2>/dev/null; }

install() {
    log "installing: setup /S $*"
    "$E2E_WINE" "$(winepath_of "$E2E_SETUP")" /S "$@" >/dev/null 2>&1 || fail "setup ended with $?"
    for f in $program_files; do [ -f "$instdir/$f" ] || fail "$f was not installed"; done
    reg_key_exists "$uninstall_key" || fail "no uninstall entry"
}

# The uninstaller hands over to a copy of itself and returns at once: wait
# until its own file is gone.
uninstall() {
    log "uninstalling: Uninstall.exe /S $*"
    "$E2E_WINE" "C:\\Program Files\\Kestrone\\Uninstall.exe" /S "$@" >/dev/null 2>&1
    for ((i = 0; i < 600; i++)); do
        [ -f "$instdir/Uninstall.exe" ] || { sleep 2; return 0; }
        sleep 0.1
    done
    fail "the uninstaller did not finish"
}

winepath_of() { "$E2E_WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# A clean machine: nothing of an earlier run.
rm -rf "$instdir"
"$E2E_WINE" reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
"$E2E_WINE" reg delete "$run_key" /v Kestrone.exe /f >/dev/null 2>&1 || true

# --- Install, start from the installed place, open the help -------------------
install
expected_run="\"C:\\Program Files\\Kestrone\\Kestrone.exe\" -Hide"
[ "$(reg_value "$run_key" Kestrone.exe)" = "$expected_run" ] ||
    fail "start-up value is '$(reg_value "$run_key" Kestrone.exe)', expected '$expected_run'"
[ "$(shortcuts | wc -l)" -eq 3 ] || fail "expected 3 Start-menu shortcuts, found: $(shortcuts)"
event_key='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Kestrone'
[ "$(reg_value "$event_key" EventMessageFile)" = 'C:\Program Files\Kestrone\Kestrone.exe' ] ||
    fail "event source's message file is '$(reg_value "$event_key" EventMessageFile)'"
[ "$(reg_value "$event_key" TypesSupported)" = 0x7 ] || fail "event source's TypesSupported is not 7"

RUN_DIR="$instdir" start_kestrone
settled_main >/dev/null || fail "Kestrone did not start from the installed place"
main_path=$(reg_value 'HKCU\Software\Corvane' MainPath)
[ "$main_path" = 'C:\Program Files\Kestrone\' ] || fail "MainPath is '$main_path'"
driver click-tool 7 >/dev/null || fail "no About button"
sleep 1
driver page | grep -q '^page=about' || fail "the About page is not shown"
driver page | grep -q 'child=Static|Build 0618' || fail "the About page has no build line"
driver click 1703 >/dev/null || fail "no Help button on the About page"
help_window=$(driver wait-window "HH Parent" 30000) || fail "the help viewer did not open"
log "help viewer: $(value caption "$help_window")"
[ "$(value caption "$help_window")" = "Kestrone Help" ] || fail "help viewer shows '$(value caption "$help_window")'"
shot installer-help

# --- Silent uninstall while Kestrone runs: nothing of ours is left -------------
uninstall
wait_exit "${KESTRONE_PIDS[-1]}" 20 || fail "the uninstaller did not end Kestrone"
[ ! -e "$instdir" ] || fail "left behind: $(find "$instdir")"
[ -z "$(reg_value "$run_key" Kestrone.exe)" ] || fail "the start-up value is still there"
! reg_key_exists 'HKCU\Software\Corvane' || fail "HKCU\\Software\\Corvane is still there"
! reg_key_exists 'HKLM\Software\Corvane' || fail "HKLM\\Software\\Corvane is still there"
! reg_key_exists "$uninstall_key" || fail "the uninstall entry is still there"
! reg_key_exists "$event_key" || fail "the event source is still registered"
[ -z "$(shortcuts)" ] || fail "shortcuts left: $(shortcuts)"
[ -z "$(find "$drive_c/users" -iname kernel.dll 2>/dev/null)" ] ||
    fail "decrypted definitions left: $(find "$drive_c/users" -iname kernel.dll)"

# --- The user's data stays unless the user asks ---------------------------------
install /NOAUTOSTART
[ -z "$(reg_value "$run_key" Kestrone.exe)" ] || fail "/NOAUTOSTART still wrote the start-up value"
printf '[Settings]\r\nUserChoice=1\r\n' >"$instdir/UserSettings.ini"
mkdir -p "$instdir/Quarantine"
echo record >"$instdir/Quarantine/0001.bin"
uninstall
left=$(cd "$instdir" && find . -type f | sort | tr '\n' ' ')
[ "$left" = "./Quarantine/0001.bin ./UserSettings.ini " ] || fail "after uninstall: '$left'"

install
uninstall /PURGE
[ ! -e "$instdir" ] || fail "/PURGE left: $(find "$instdir")"
log "PASS"
