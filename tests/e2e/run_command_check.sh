#!/usr/bin/env bash
# The README's run command, headless, on this build: its demonstration must
# show Kestrone's popup reporting the cleaned specimen and leave the user's
# files on the test stick.
set -u
unset DISPLAY
out=$(KESTRONE_BUILD_DIR="$KESTRONE_BUILD" bash "$KESTRONE_SOURCE/scripts/run-kestrone.sh" 2>&1)
status=$?
echo "$out"
fail() { echo "[run-command] FAIL: $*"; exit 1; }
[ "$status" = 0 ] || fail "run command ended with $status"
grep -A3 "Kestrone's popup" <<<"$out" | grep -q 'specimen.exe  cleaned' || fail "no popup report"
grep -q "the user's files are all still there" <<<"$out" || fail "user files not confirmed"
grep -q 'Scan completed successfully' <<<"$out" || fail "no scan report"
grep -q '^Pictures of the demonstration: ' <<<"$out" || fail "no pictures"
echo "[run-command] PASS"
