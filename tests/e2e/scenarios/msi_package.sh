#!/usr/bin/env bash
# The MSI package as an administrator deploys it: a silent per-machine install
# with its properties (no start with Windows, the update mirrors), the event
# source registered; a newer package replacing it; a silent uninstall that
# leaves nothing of the program behind.
source "$E2E_LIB"
[ -f "${E2E_MSI:-}" ] || { log "no MSI package at '${E2E_MSI:-}' (wixl missing?): skipped"; exit 77; }

drive_c="$E2E_PREFIX/drive_c"
instdir="$drive_c/Program Files/Kestrone"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
event_key='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Kestrone'
policies='HKLM\Software\Policies\Kestrone'
program_files="Kestrone.exe kestrone-scan.exe Update.exe kernel.dll Process.dat Kestrone.skin Help.chm License.txt ReadMe.txt"
reg_key_exists() { "$E2E_WINE" reg query "$1" >/dev/null 2>&1; }
winepath_of() { "$E2E_WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
product_code() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" {print $2}'; }
uninstall_entry() { echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1"; }
msiexec() {
    log "msiexec $*"
    "$E2E_WINE" msiexec "$@" >/dev/null 2>&1 || fail "msiexec $* ended with $?"
    "$E2E_WINESERVER" -w 2>/dev/null || true
}

# A clean machine: no package of an earlier run, of whichever version.
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
for entry in $("$E2E_WINE" reg query "$uninstall_root" 2>/dev/null | tr -d '\r' | grep -o '{[0-9A-F-]*}$'); do
    [ "$(reg_value "$uninstall_root\\$entry" DisplayName)" = Kestrone ] &&
        "$E2E_WINE" msiexec /x "$entry" /qn >/dev/null 2>&1
done
rm -rf "$instdir"
"$E2E_WINE" reg delete "$run_key" /v Kestrone.exe /f >/dev/null 2>&1 || true
"$E2E_WINE" reg delete "$policies" /f >/dev/null 2>&1 || true
trap 'status=$?; "$E2E_WINE" reg delete "$policies" /f >/dev/null 2>&1; (exit $status); cleanup' EXIT
package=$(winepath_of "$E2E_MSI")
old_code=$(product_code "$E2E_MSI")

# --- Silent install with the properties ----------------------------------------
msiexec /i "$package" /qn AUTOSTART=0 'UPDATEMIRRORS=https://defs.example.org/kestrone/;\\server\defs'
for f in $program_files; do [ -f "$instdir/$f" ] || fail "$f was not installed"; done
[ -z "$(reg_value "$run_key" Kestrone.exe)" ] || fail "AUTOSTART=0 still wrote the start-up value"
message_file=$(reg_value "$event_key" EventMessageFile)
log "event source: $message_file, types $(reg_value "$event_key" TypesSupported)"
[ "$message_file" = 'C:\Program Files\Kestrone\Kestrone.exe' ] || fail "EventMessageFile is '$message_file'"
[ "$(reg_value "$event_key" TypesSupported)" = 0x7 ] || fail "TypesSupported is not 7"
[ "$(reg_value "$policies" UpdateMirrors)" = 'https://defs.example.org/kestrone/;\\server\defs' ] ||
    fail "UpdateMirrors is '$(reg_value "$policies" UpdateMirrors)'"
reg_key_exists "$(uninstall_entry "$old_code")" || fail "no entry in the installed programs"

# --- A newer package replaces it (same upgrade code, new product code) ---------
# The same release folder made into a package of a later build.
newer="$E2E_SHOTS/Kestrone-newer.msi"
version=$(msiinfo export "$E2E_MSI" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" {print $2}')
release=$(basename "$E2E_MSI" .msi)
bash "$(dirname "$E2E_LIB")/../../installer/make-msi.sh" \
    "$(cd "$(dirname "$E2E_LIB")/../../installer" && pwd)/kestrone.wxs" "$(dirname "$E2E_MSI")" \
    "$release" "${version%.*}.65000" "$newer" 2>/dev/null || fail "could not make a newer package"
new_code=$(product_code "$newer")
msiexec /i "$(winepath_of "$newer")" /qn
! reg_key_exists "$(uninstall_entry "$old_code")" || fail "the older package is still installed"
reg_key_exists "$(uninstall_entry "$new_code")" || fail "the newer package is not installed"
# It keeps what the earlier package was given.
[ -z "$(reg_value "$run_key" Kestrone.exe)" ] || fail "the upgrade switched the start with Windows on"
[ "$(reg_value "$policies" UpdateMirrors)" = 'https://defs.example.org/kestrone/;\\server\defs' ] ||
    fail "the upgrade lost the mirrors: '$(reg_value "$policies" UpdateMirrors)'"
for f in $program_files; do [ -f "$instdir/$f" ] || fail "$f is missing after the upgrade"; done

# --- Silent uninstall -------------------------------------------------------------
msiexec /x "$new_code" /qn
[ ! -e "$instdir" ] || fail "left behind: $(find "$instdir")"
[ -z "$(reg_value "$run_key" Kestrone.exe)" ] || fail "the start-up value is still there"
! reg_key_exists "$event_key" || fail "the event source is still registered"
[ -z "$(reg_value "$policies" UpdateMirrors)" ] || fail "the mirrors value is still there"
! reg_key_exists 'HKLM\Software\Kestrone' || fail "HKLM\\Software\\Kestrone is still there"

# --- A first install without properties starts with Windows ----------------------
msiexec /i "$(winepath_of "$newer")" /qn
expected_run="\"C:\\Program Files\\Kestrone\\Kestrone.exe\" -Hide"
[ "$(reg_value "$run_key" Kestrone.exe)" = "$expected_run" ] ||
    fail "the start-up value is '$(reg_value "$run_key" Kestrone.exe)', expected '$expected_run'"
[ -z "$(reg_value "$policies" UpdateMirrors)" ] || fail "mirrors written although not asked for"
msiexec /x "$new_code" /qn
[ ! -e "$instdir" ] || fail "left behind: $(find "$instdir")"
[ -z "$(reg_value "$run_key" Kestrone.exe)" ] || fail "the start-up value is still there"
! reg_key_exists "$(uninstall_entry "$new_code")" || fail "the package is still listed"
log "PASS"
