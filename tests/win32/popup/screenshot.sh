#!/usr/bin/env bash
# Shows popups on a virtual display and saves a picture of the whole screen.
# Usage: screenshot.sh WINE_RUN PREFIX POPUP_TEST_EXE OUTPUT_PNG
# The popups run inside Wine's own desktop window, whose taskbar answers the
# taskbar-position question (a bare X screen has no taskbar to ask).
set -e
run="$(dirname "$0")/../tray/run-on-display.sh"
wine_run=$1 prefix=$2 program=$3 output=$4
mkdir -p "$(dirname "$output")"
# A first run makes the prefix (or answers 77 where this Wine cannot start).
"$run" "$wine_run" "$prefix" "$program" --gtest_filter=None >/dev/null
# Wine's desktop window with its taskbar, where the tray icon shows.
"$wine_run" "$prefix" "$prefix/drive_c/windows/system32/reg.exe" add \
    'HKCU\Software\Wine\Explorer' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null
KESTRONE_POPUP_SHOWCASE_MS=12000 KESTRONE_SCREENSHOT="$output" KESTRONE_SCREENSHOT_WAIT_FOR=190x140 KESTRONE_SCREENSHOT_AFTER=2 \
    "$run" "$wine_run" "$prefix" "$prefix/drive_c/windows/system32/explorer.exe" \
    /desktop=Kestrone,1024x768 "$program" --gtest_filter=TMSNPopUp.Showcase
