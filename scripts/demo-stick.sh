#!/usr/bin/env bash
# The run command's demonstration: Kestrone in the tray as a user has it,
# then a harmless test stick attached as drive E: (an inert specimen program
# built here, an Autorun.inf that launches it, and a few of the user's files),
# announced as Windows announces a new drive. Kestrone reacts with the stored
# choice (clean, and report in its popup). A scan of the stick from the scan
# page follows. Everything lives in the build folder.
#
# Expects: WINE, WINESERVER, WINEPREFIX (with E: as a removable drive on
# $DEMO_STICK), DEMO_BUILD (the Windows build folder), DEMO_SHOTS (folder for
# pictures, or empty to take none), DISPLAY. Leaves Kestrone running when
# DEMO_KEEP_RUNNING=1.
set -uo pipefail
build=$DEMO_BUILD
stick=$DEMO_STICK
run_dir="$build/demo"
driver_exe="$build/e2e-tools/kestrone-e2e-driver.exe"
specimen="$build/e2e-tools/specimen.exe"

say() { echo "[demo] $*"; }
driver() { "$WINE" "$driver_exe" "$@" 2>/dev/null | tr -d '\r'; }
value() { grep -m1 "^$1=" <<<"$2" | cut -d= -f2-; }
shot() {
    [ -n "$DEMO_SHOTS" ] || return 0
    mkdir -p "$DEMO_SHOTS"
    import -window root "$DEMO_SHOTS/$1.png" 2>/dev/null && say "screenshot: $DEMO_SHOTS/$1.png"
}
listing() { (cd "$stick" && find . -mindepth 1 | sed 's|^\./|E:\\|; s|/|\\|g' | sort); }

# The program with its data files, and the user's stored choice: no question,
# clean the drive and show the report.
rm -rf "$run_dir"
mkdir -p "$run_dir"
cp "$build/bin/Kestrone.exe" "$build/bin/kernel.dll" "$build/bin/Process.dat" "$run_dir/"
printf '[Settings]\r\nNeedShowSelDiag=0\r\nUserChoice=1\r\n' >"$run_dir/UserSettings.ini"

say "starting Kestrone in the tray (Kestrone.exe -Hide)"
(cd "$run_dir" && exec "$WINE" Kestrone.exe -Hide) >/dev/null 2>&1 &
driver find-main 90000 >/dev/null || { say "Kestrone did not start"; "$WINE" "$driver_exe" find-main 1000; exit 1; }
sleep 3

infect() {  # the worm's files on the stick
    cp "$specimen" "$stick/specimen.exe"
    printf '[AutoRun]\r\nshellexecute=specimen.exe\r\nicon=specimen.exe\r\n' >"$stick/Autorun.inf"
}
rm -rf "$stick"
mkdir -p "$stick/Holiday photos"
printf 'A photo of the beach (test data).\n' >"$stick/Holiday photos/beach.jpg"
printf 'Quarterly report (test data).\n' >"$stick/Report.doc"
printf 'Shopping: milk, bread.\n' >"$stick/notes.txt"
infect
before=$(listing)
say "the test stick E: holds:"
sed 's/^/    /' <<<"$before"

say "attaching the stick: Windows announces drive E:"
arrival=$(driver arrive E 15000)
popup_text=$(value text "$arrival")
say "Kestrone's popup ($(value popup_ms "$arrival") ms after the announcement):"
"$WINE" "$driver_exe" popups 2>/dev/null | grep '^caption=' | cut -d= -f2- | tr '\r' '\n' |
    grep -v '^$' | sed 's/^/    /'
sleep 1.2
shot demo-popup
after=$(listing)
removed=$(comm -23 <(echo "$before") <(echo "$after"))
say "Kestrone removed:"
sed 's/^/    /' <<<"${removed:-nothing}"

user_ok=1
for file in "Holiday photos/beach.jpg" Report.doc notes.txt; do
    [ -f "$stick/$file" ] || user_ok=0
done
if [ "$user_ok" = 1 ]; then
    say "the user's files are all still there: Holiday photos\\beach.jpg, Report.doc, notes.txt"
else
    say "PROBLEM: some of the user's files are gone"
fi

say "the worm comes back; a scan of the removable media from the scan page"
infect
driver command 1801 >/dev/null  # tray: "Display main window"
sleep 2
driver lv-check 1101 0 0 >/dev/null  # Operating Memory off
driver lv-check 1101 1 0 >/dev/null  # Local Drives off
driver click 1102 >/dev/null        # Start
for ((i = 0; i < 120; i++)); do
    driver text 1104 | grep -q '^Scan completed successfully' && break
    sleep 1
done
say "the scan page's report:"
driver text 1104 | grep -v '^$' | sed 's/^/    /'
shot demo-scan-page
[ -z "$(ls "$stick" | grep -i -e specimen -e autorun)" ] && say "the stick is clean again"

status=0
[ "$user_ok" = 1 ] && [ -n "$popup_text" ] || status=1
if [ "${DEMO_KEEP_RUNNING:-0}" != 1 ]; then
    driver quit-request >/dev/null
    driver wait-gone 20000 >/dev/null
fi
exit $status
