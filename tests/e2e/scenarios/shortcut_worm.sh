#!/usr/bin/env bash
# A stick as today's shortcut worms leave it, without any Autorun.inf: the
# user's folder and file hidden (hidden + system), shortcuts of the same names
# written by the shell that start the worm's script through cmd.exe and the
# script host, the script in a hidden folder of its own, and a shortcut of the
# user's own to a program on C:. Start on the scan page with only "Removable
# Media" checked removes the worm and its shortcuts, shows the user's folder
# and file again, and leaves the user's shortcut alone.
source "$E2E_LIB"
private_run_dir
empty_stick
mkdir -p "$STICK/WindowsServices"
printf "' inert Kestrone test specimen\r\n" >"$STICK/WindowsServices/helper.vbs"
system='C:\windows\system32'
driver shortcut 'E:\Photos.lnk' "$system\\cmd.exe" \
    '/c start wscript /e:vbscript WindowsServices\helper.vbs & start explorer Photos & exit' >/dev/null ||
    fail "could not write the worm's folder shortcut"
driver shortcut 'E:\Thesis.doc.lnk' "$system\\wscript.exe" 'WindowsServices\helper.vbs' >/dev/null ||
    fail "could not write the worm's file shortcut"
driver shortcut 'E:\Notepad.lnk' 'C:\windows\notepad.exe' '' >/dev/null || fail "could not write the user's shortcut"
for item in Photos Thesis.doc WindowsServices 'WindowsServices\helper.vbs'; do
    driver attributes "E:\\$item" +hs >/dev/null || fail "could not hide $item"
done

hidden() { value hidden "$(driver attributes "E:\\$1")"; }
[ "$(hidden Photos)" = 1 ] || fail "the stick's folder is not hidden to begin with"

start_kestrone
settled_main >/dev/null || fail "no main window"
driver lv-check 1101 0 0 >/dev/null || fail "could not uncheck Operating Memory"
driver lv-check 1101 1 0 >/dev/null || fail "could not uncheck Local Drives"
completed() { driver text 1104 | grep -c '^Scan completed successfully'; }
driver click 1102 >/dev/null || fail "no Start button"
for ((i = 0; i < 120; i++)); do [ "$(completed)" -ge 1 ] && break; sleep 1; done
report=$(driver text 1104 | tr -d '\r')
echo "$report"
[ "$(completed)" = 1 ] || fail "the scan did not complete"
for line in 'E:\WindowsServices\helper.vbs  cleaned' 'E:\Photos.lnk  cleaned' 'E:\Thesis.doc.lnk  cleaned' \
    'E:\WindowsServices  cleaned' 'E:\Photos  restored' 'E:\Thesis.doc  restored' 'E:\ cleaned completed.'; do
    grep -qxF "$line" <<<"$report" || fail "report lacks: $line"
done
shot shortcut-worm-scan

[ ! -e "$STICK/WindowsServices" ] || fail "the worm's folder is still on the stick"
[ ! -e "$STICK/Photos.lnk" ] && [ ! -e "$STICK/Thesis.doc.lnk" ] || fail "worm shortcuts are still on the stick"
[ -f "$STICK/Notepad.lnk" ] || fail "the user's own shortcut was removed"
user_files_intact || fail "the scan touched the user's files"
[ "$(hidden Photos)" = 0 ] || fail "the user's folder is still hidden"
[ "$(hidden Thesis.doc)" = 0 ] || fail "the user's file is still hidden"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
