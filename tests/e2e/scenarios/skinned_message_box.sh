#!/usr/bin/env bash
# A message box the program shows is skinned like its windows: started
# without its data file, the program's message box (a "#32770" dialog) wears
# the skin a quarter of a second after the start.
source "$E2E_LIB"
source "$(dirname "$0")/../skin_probe/probe.sh"
RUN_DIR="$E2E_PREFIX/drive_c/kestrone-skin-without-data"
rm -rf "$RUN_DIR"
mkdir -p "$RUN_DIR"
cp "$KESTRONE_BIN/Kestrone.exe" "$RUN_DIR/"
start_kestrone
box=$(probe window "#32770" "提示" 60000) || fail "no message box"
for _ in $(seq 20); do
    [ "$(value skinned "$box")" = 1 ] && break
    sleep 0.25
    box=$(probe window "#32770" "提示" 1000)
done
echo "$box"
[ "$(value skinned "$box")" = 1 ] || fail "message box not skinned"
grep -q "^child=Button|.*|1$" <<<"$box" || fail "its button is not skinned"
sleep 0.5
shot skinned-message-box
driver press-ok "提示" >/dev/null || fail "could not answer the message"
wait_exit "${KESTRONE_PIDS[-1]}" 20 || fail "program did not end"
log "PASS"
