#!/usr/bin/env bash
# Shared steps of the end-to-end scenarios: the Wine prefix of the e2e tests
# (a virtual desktop with a taskbar, so the tray icon and the taskbar edge
# exist), starting Kestrone.exe, running the driver, screenshots, clean-up.
#
# Environment (set by CTest, or by hand):
#   KESTRONE_BIN   folder holding Kestrone.exe and its data files
#   E2E_DRIVER     the driver program (kestrone-e2e-driver.exe)
#   E2E_PREFIX     the Wine prefix of the e2e tests (made on first use)
#   E2E_SHOTS      folder for the screenshots
#   E2E_WINEARCH   win32 (default) or win64: the prefix's kind; the Wine for
#                  it is picked by cmake/wine-env.sh unless E2E_WINE (the
#                  loader) and E2E_WINESERVER (its server) are given
set -u
: "${E2E_WINEARCH:=win32}"
export WINEPREFIX="$E2E_PREFIX" WINEARCH="$E2E_WINEARCH" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its UI language from the locale, and Kestrone its language from
# Wine's: the scenarios read the English texts unless they choose Chinese.
export LC_ALL=C.UTF-8
unset LANGUAGE
mkdir -p "$E2E_SHOTS"
KESTRONE_PIDS=()
# Standard error of every copy started: Wine reports a crash there.
KESTRONE_LOG="$E2E_SHOTS/${SCENARIO:-scenario}-kestrone.log"
: >"$KESTRONE_LOG"

log() { echo "[e2e] $*"; }
fail() {
    log "FAIL: $*"
    shot "failure-${SCENARIO:-scenario}"
    exit 1
}

# Exits with 77 (skipped) when this machine cannot run the Windows programs at all.
require_wine() {
    local out
    if [ -z "${E2E_WINE:-}" ]; then
        source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/wine-env.sh"
        if ! wine_select "$E2E_WINEARCH"; then
            log "no Wine for $E2E_WINEARCH on this machine: scenario skipped"
            exit 77
        fi
        E2E_WINE=$WINE E2E_WINESERVER=$WINESERVER
    fi
    if ! out=$("$E2E_WINE" --version 2>&1); then
        log "Wine cannot run here ($out): scenario skipped"
        exit 77
    fi
}

# in_prefix COMMAND...: a file operation inside the prefix, as the prefix's
# owner (the scenario itself unless as_user.sh says otherwise).
declare -F in_prefix >/dev/null || in_prefix() { "$@"; }

# set_screen_dpi DPI: the resolution Wine gives the next programs it starts.
set_screen_dpi() {
    local key
    for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
        "$E2E_WINE" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    done
    "$E2E_WINESERVER" -w 2>/dev/null || true
    if [ "$1" = 96 ]; then rm -f "$E2E_PREFIX/.kestrone-e2e-dpi"; else touch "$E2E_PREFIX/.kestrone-e2e-dpi"; fi
}

setup_prefix() {
    if [ ! -f "$E2E_PREFIX/.kestrone-e2e-ready" ]; then
        in_prefix mkdir -p "$E2E_PREFIX"
        "$E2E_WINE" wineboot -i >/dev/null 2>&1 || true
        "$E2E_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        "$E2E_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
            >/dev/null 2>&1
        in_prefix mkdir -p "$E2E_PREFIX/removable-e"
        in_prefix ln -sfn ../removable-e "$E2E_PREFIX/dosdevices/e:"
        "$E2E_WINE" reg add 'HKLM\Software\Wine\Drives' /v 'e:' /d floppy /f >/dev/null 2>&1
        "$E2E_WINESERVER" -w
        in_prefix touch "$E2E_PREFIX/.kestrone-e2e-ready"
    fi
    # Fonts as on a Windows with East Asian support: the dialog faces are linked
    # to a font that has Chinese characters besides the Latin ones (WenQuanYi
    # Micro Hei, Debian package fonts-wqy-microhei), so Chinese texts can be seen.
    if [ ! -f "$E2E_PREFIX/.kestrone-e2e-fonts3" ]; then
        local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        for face in "MS Sans Serif" "Tahoma" "Microsoft Sans Serif" "MS Shell Dlg"; do
            "$E2E_WINE" reg add "$link" /v "$face" /t REG_MULTI_SZ \
                /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f >/dev/null 2>&1
        done
        "$E2E_WINESERVER" -w
        in_prefix touch "$E2E_PREFIX/.kestrone-e2e-fonts3"
    fi
    # A crash ends the program at once, with Wine's "Unhandled ..." line on its
    # standard error (kept in KESTRONE_LOG), instead of waiting behind a dialog.
    if [ ! -f "$E2E_PREFIX/.kestrone-e2e-crash" ]; then
        "$E2E_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
            /d 0 /f >/dev/null 2>&1
        "$E2E_WINESERVER" -w
        in_prefix touch "$E2E_PREFIX/.kestrone-e2e-crash"
    fi
    # A scenario that changed the screen's resolution and could not put it
    # back leaves a mark; the next one starts at 96 DPI again.
    if [ -f "$E2E_PREFIX/.kestrone-e2e-dpi" ]; then
        set_screen_dpi 96
    fi
    # Each scenario starts from a machine without a running copy or old record.
    "$E2E_WINE" reg delete 'HKCU\Software\Corvane' /f >/dev/null 2>&1 || true
}

# start_kestrone [ARGS...]: starts a copy in the background (from RUN_DIR when set);
# its pid is appended to KESTRONE_PIDS.
start_kestrone() {
    # The first Windows program of a session opens the virtual desktop and its
    # taskbar; let the driver do that so Kestrone finds the work area settled.
    if [ -z "${DESKTOP_READY:-}" ]; then
        driver work-area >/dev/null
        sleep 1
        DESKTOP_READY=1
    fi
    (cd "${RUN_DIR:-$KESTRONE_BIN}" && exec "$E2E_WINE" Kestrone.exe "$@") >/dev/null \
        2>>"$KESTRONE_LOG" &
    KESTRONE_PIDS+=("$!")
}

driver() { "$E2E_WINE" "$E2E_DRIVER" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# The main window once the program has settled: its record is written while the
# window is being created, before a visible start shows it.
settled_main() {
    driver find-main 60000 >/dev/null || return 1
    sleep 2
    driver find-main 5000
}

# value KEY TEXT: the value of a "key=value" line.
value() { grep -m1 "^$1=" <<<"$2" | cut -d= -f2-; }

shot() {
    local file="$E2E_SHOTS/$1.png"
    import -display "$DISPLAY" -window root "$file" 2>/dev/null && log "screenshot: $file"
}

# Waits up to $2 seconds for process $1 to end; true when it ended.
wait_exit() {
    local pid=$1 seconds=$2
    for ((i = 0; i < seconds * 10; i++)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# The crash Wine reported for a copy of Kestrone, if any.
crash_report() { grep -m1 -E "Unhandled|starting debugger" "$KESTRONE_LOG"; }

# Every scenario also checks that no copy of Kestrone crashed on the way.
cleanup() {
    local status=$? crash
    [ -z "${E2E_WINESERVER:-}" ] || "$E2E_WINESERVER" -k 2>/dev/null || true
    for pid in "${KESTRONE_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    if crash=$(crash_report); then
        log "FAIL: Kestrone crashed: $crash"
        status=1
    fi
    exit "$status"
}
trap cleanup EXIT

require_wine
setup_prefix

# ---- Drive arrival and page scenarios ----

# The removable test drive E: as a Linux folder.
STICK="$E2E_PREFIX/removable-e"

# private_run_dir: the program and its data files in a folder of this scenario's
# own, so that its settings file and process lists touch no other scenario.
private_run_dir() {
    RUN_DIR="$E2E_PREFIX/drive_c/kestrone-${SCENARIO:-scenario}"
    rm -rf "$RUN_DIR"
    mkdir -p "$RUN_DIR"
    cp "$KESTRONE_BIN/Kestrone.exe" "$KESTRONE_BIN/kernel.dll" "$KESTRONE_BIN/Process.dat" "$RUN_DIR/"
}

# The user's own files on the stick, and the check that they are all still there.
USER_FILES=("Thesis.doc" "Photos/beach.jpg" "Photos/Summer 2026/lake.jpg")
empty_stick() {
    rm -rf "$STICK"
    mkdir -p "$STICK/Photos/Summer 2026"
    printf 'the thesis' >"$STICK/Thesis.doc"
    printf 'a photo' >"$STICK/Photos/beach.jpg"
    printf 'another photo' >"$STICK/Photos/Summer 2026/lake.jpg"
}
user_files_intact() {
    local file
    for file in "${USER_FILES[@]}"; do
        [ -f "$STICK/$file" ] || { log "missing user file $file"; return 1; }
    done
}
# A stick as a worm leaves it: an inert specimen "program" (a few bytes of
# text; nothing here can run) and an Autorun.inf that launches it.
infected_stick() {
    empty_stick
    printf 'MZ inert Kestrone test specimen\r\n' >"$STICK/specimen.exe"
    printf '[AutoRun]\r\nopen=specimen.exe\r\nshell\\open\\command=specimen.exe\r\n' >"$STICK/Autorun.inf"
}
worm_gone() { [ ! -e "$STICK/specimen.exe" ] && [ ! -e "$STICK/Autorun.inf" ]; }

# arrive LETTER [MS]: Windows' arrival announcement, handled; prints what the
# driver saw (popup_ms, text, dialog_ms).
arrive() { driver arrive "$@"; }

# Registry values as the program sees them.
reg_value() {  # KEY VALUE
    "$E2E_WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" 'tolower($1) == tolower(v) { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}
