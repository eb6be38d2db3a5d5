#!/usr/bin/env bash
# Update.exe as users and administrators meet it. A local web server (python's
# http.server) serves packages signed with test key A, which a test build
# trusts in place of the publisher's key. Kestrone runs in the tray with its
# shipped definitions, which do not know the worm "grimworm.exe"; then:
#  - /S with a dead mirror first and the server second installs the newer
#    package (exit 0), the running Kestrone takes it up, and the next stick
#    loses grimworm.exe too;
#  - an older, an expired and a tampered package are refused (exit 2) and the
#    installed files stay byte for byte; the same package again is "current"
#    (exit 1); only dead mirrors give 3; a wrong switch gives 4;
#  - the window shows a refusal and an install from a package folder;
#  - with the server stopped, /S /FOLDER= installs from a folder alone;
#  - definitions made long ago bring the tray's balloon that they are old.
source "$E2E_LIB"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
SOURCE_DIR=$(cd "$(dirname "$E2E_LIB")/../.." && pwd)
build_dir=$(dirname "$KESTRONE_BIN")
tools=${KESTRONE_HOST_TOOLS:-$(sed -n 's/^KESTRONE_HOST_TOOLS_DIR:PATH=//p' "$build_dir/CMakeCache.txt")}
package_tool="$tools/package/kestrone-package"
[ -x "$package_tool" ] || fail "no package tool at $package_tool"

private_run_dir
cp "$KESTRONE_BIN/Update.exe" "$RUN_DIR/" || fail "no Update.exe beside Kestrone.exe"
settings="$RUN_DIR/UserSettings.ini"
installed="$RUN_DIR/Definitions"

# ---- Packages: a definitions source that also names grimworm.exe ----
packages="$E2E_PREFIX/drive_c/kestrone-updater-packages"
rm -rf "$packages"
mkdir -p "$packages"
newer_ini="$packages/newer.ini"
sed 's/^Name=\(.*\)$/Name=\1,GRIMWORM/' "$SOURCE_DIR/data/definitions/definitions.ini" >"$newer_ini"
printf '\r\n[GRIMWORM]\r\nSign=None\r\nFileToDelete=%%disk%%\\grimworm.exe\r\nProcessToKill=None\r\nImmunity=None\r\nUnloadDll=None\r\nRegOperate=0\r\nNote=An inert test worm.\r\n' >>"$newer_ini"
make_package() {  # NAME VERSION EXPIRES [DATE]
    "$package_tool" build --out "$packages/$1" --key "$SOURCE_DIR/tests/data/update/test-key-a-for-tests-only.pem" \
        --version "$2" --date "${4:-2026-12-05}" --expires "$3" --min-program 2.3 --definitions "$newer_ini" \
        >/dev/null || fail "could not make package $1"
}
make_package newer 100 2099-12-31
make_package older 90 2099-12-31
make_package expired 200 2026-12-01 2026-11-01
make_package tampered 150 2099-12-31
make_package from-folder 120 2099-12-31
# One byte of the definitions changed after signing: same size, other digest.
printf 'X' | dd of="$packages/tampered/kernel.dll" bs=1 seek=40 conv=notrunc status=none

# ---- The server; stopped on every way out ----
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
port=$(free_port)
dead_port=$(free_port)
python3 -m http.server --bind 127.0.0.1 --directory "$packages" "$port" >/dev/null 2>&1 &
SERVER=$!
stop_server() { [ -z "${SERVER:-}" ] || { kill "$SERVER" 2>/dev/null; wait "$SERVER" 2>/dev/null; SERVER=; }; }
trap 'status=$?; stop_server; (exit $status); cleanup' EXIT
for ((i = 0; i < 50; i++)); do
    python3 -c "import urllib.request as u; u.urlopen('http://127.0.0.1:$port/newer/manifest.txt')" 2>/dev/null && break
    sleep 0.2
done

mirrors() {  # the [Update] setting, after the silent-clean choice
    printf '[Settings]\r\nNeedShowSelDiag=0\r\nUserChoice=1\r\nGuardDrives=0\r\n[Update]\r\nUpdateMirrors=%s\r\n' "$1" >"$settings"
}
run_update() {  # ARGS...: Update.exe's exit code in $code, its lines in $lines
    # Into a file, not a pipe: a Kestrone it restarts keeps its output open.
    (cd "$RUN_DIR" && exec "$E2E_WINE" Update.exe "$@") >"$packages/update.out" 2>>"$KESTRONE_LOG"
    code=$?
    lines=$(tr -d '\r' <"$packages/update.out")
    echo "$lines" | sed 's/^/    /'
}
snapshot() { (cd "$installed" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
installed_version() { tr -d '\r' <"$installed/manifest.txt" | sed -n 's/^version //p'; }
grim_stick() { infected_stick; printf 'MZ inert Kestrone test worm\r\n' >"$STICK/grimworm.exe"; }

# ---- Shipped definitions: grimworm.exe is unknown ----
mirrors "http://127.0.0.1:$dead_port/;http://127.0.0.1:$port/newer/"
start_kestrone -Hide
first=$(settled_main) || fail "no main window"
grim_stick
arrive E 10000 >/dev/null || fail "arrival not handled"
worm_gone || fail "the Autorun worm was not cleaned"
[ -f "$STICK/grimworm.exe" ] || fail "the shipped definitions already know grimworm.exe: the test proves nothing"
sleep 5  # let the popup go

# ---- A newer package through the mirrors, in turn ----
run_update /S
[ "$code" = 0 ] || fail "newer package: exit $code, expected 0"
grep -q "Checking http://127.0.0.1:$dead_port/" <<<"$lines" || fail "the dead mirror was not tried first"
[ "$(installed_version)" = 100 ] || fail "version 100 not installed"
cmp -s "$installed/kernel.dll" "$packages/newer/kernel.dll" || fail "installed kernel.dll is not the published one"
grep -q "Kestrone" <<<"$(tail -1 <<<"$lines")" || fail "no word on the running Kestrone"
sleep 3
second=$(settled_main) || fail "no Kestrone after the update"
log "main window before: $(value hwnd "$first"), after: $(value hwnd "$second")"
grim_stick
cleaned=$(arrive E 10000) || fail "arrival after the update not handled"
grep -qi 'grimworm.exe  cleaned' <<<"$(value text "$cleaned")" || fail "the popup does not report grimworm.exe"
[ ! -e "$STICK/grimworm.exe" ] || fail "grimworm.exe survived the new definitions"
worm_gone && user_files_intact || fail "stick not cleaned as before"
sleep 1.2
shot updater-new-definitions-clean
driver shell-click double >/dev/null || fail "no double click on the tray icon"
sleep 1
driver click-tool 7 >/dev/null || fail "no About page"
sleep 1
about=$(driver page)
echo "$about"
grep -qx "child=Static|version 100 of .*" <<<"$about" ||
    fail "the About page does not name the new definitions"
grep -q "Update" "$RUN_DIR/History.log" || fail "the install is not in the history"

# ---- Refusals leave every installed byte alone ----
before=$(snapshot)
for refused in older expired tampered; do
    mirrors "http://127.0.0.1:$port/$refused/"
    run_update /S
    [ "$code" = 2 ] || fail "$refused package: exit $code, expected 2"
    grep -q "The definitions in use stay as they are." <<<"$lines" || fail "$refused: no refusal message"
    [ "$(snapshot)" = "$before" ] || fail "$refused package changed the installed definitions"
done
grep -q "expired on 2026-12-01" <<<"$(mirrors "http://127.0.0.1:$port/expired/"; run_update /S; echo "$lines")" ||
    fail "the expiry refusal does not name the day"
mirrors "http://127.0.0.1:$port/newer/"
run_update /S
[ "$code" = 1 ] || fail "same package again: exit $code, expected 1"
mirrors "http://127.0.0.1:$dead_port/"
run_update /S
[ "$code" = 3 ] || fail "dead mirror only: exit $code, expected 3"
run_update /S /Bogus
[ "$code" = 4 ] || fail "wrong switch: exit $code, expected 4"
[ "$(snapshot)" = "$before" ] || fail "a check changed the installed definitions"

# ---- The window: a refusal, shown in words ----
window_status() {  # waits for the outcome in the window; prints the window's texts
    local text
    for ((i = 0; i < 120; i++)); do
        text=$(driver message-box "Kestrone Update" 1000)
        grep -qE "child=Static\|.*(stay as they are|installed|newest|reached)" <<<"$text" && { echo "$text"; return 0; }
        sleep 0.5
    done
    return 1
}
mirrors "http://127.0.0.1:$port/tampered/"
(cd "$RUN_DIR" && exec "$E2E_WINE" Update.exe Grimbolt) >/dev/null 2>>"$KESTRONE_LOG" &
window=$!
shown=$(window_status) || fail "the window shows no outcome"
echo "$shown"
grep -q "is not the file that was published" <<<"$shown" || fail "the window does not show the refusal"
grep -q "child=Static|version 100 of 2026-12-05" <<<"$shown" || fail "the window does not show the installed version"
shot updater-window-refused
kill "$window" 2>/dev/null; wait "$window" 2>/dev/null

# ---- The toolbar's Update and the tray menu's Update start the updater ----
mirrors "http://127.0.0.1:$port/newer/"
for how in "click-tool 6" "command 1803"; do
    # shellcheck disable=SC2086  # the driver command and its argument
    driver $how >/dev/null || fail "no $how"
    shown=$(window_status) || fail "$how started no updater window"
    grep -q "are the newest; there is nothing to install" <<<"$shown" ||
        fail "the updater started by $how did not check the mirror"
    driver press-cancel "Kestrone Update" >/dev/null
    for ((i = 0; i < 50; i++)); do driver message-box "Kestrone Update" 200 >/dev/null || break; sleep 0.2; done
done

# ---- No server at all: a package folder ----
stop_server
run_update /S "/FOLDER=C:\\kestrone-updater-packages\\from-folder"
[ "$code" = 0 ] || fail "from a folder: exit $code, expected 0"
[ "$(installed_version)" = 120 ] || fail "version 120 not installed from the folder"
# Made long ago: once in use, the tray warns that the definitions are old.
make_package from-folder-window 130 2099-12-31 2026-10-01
(cd "$RUN_DIR" && exec "$E2E_WINE" Update.exe "/FOLDER=C:\\kestrone-updater-packages\\from-folder-window") \
    >/dev/null 2>>"$KESTRONE_LOG" &
window=$!
shown=$(window_status) || fail "the window shows no outcome of the folder install"
echo "$shown"
grep -q "Definitions version 130 of 2026-10-01 are installed." <<<"$shown" || fail "the folder install is not shown"
sleep 1
shot updater-window-from-folder
kill "$window" 2>/dev/null; wait "$window" 2>/dev/null
[ "$(installed_version)" = 130 ] || fail "version 130 not installed from the window"

driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"

# ---- Old definitions: a balloon once a day, which starts Update.exe ----
start_kestrone -Hide
settled_main >/dev/null || fail "no main window with the old definitions"
for ((i = 0; i < 60; i++)); do
    grep -q "The definitions are [0-9]* days old" "$RUN_DIR/History.log" && break
    sleep 0.5
done
grep -q "The definitions are [0-9]* days old" "$RUN_DIR/History.log" || fail "no warning of old definitions"
# (Wine's shell shows no balloons: the history line is the proof.)
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
