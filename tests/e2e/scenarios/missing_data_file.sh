#!/usr/bin/env bash
# Started from a folder without its data file, the program says so once (in
# Chinese, readable whatever the code page) and ends without showing a window.
source "$E2E_LIB"
RUN_DIR="$E2E_PREFIX/drive_c/kestrone-without-data"
rm -rf "$RUN_DIR"
mkdir -p "$RUN_DIR"
cp "$KESTRONE_BIN/Kestrone.exe" "$RUN_DIR/"
start_kestrone
box=$(driver message-box "提示" 60000) || fail "no missing-data message"
echo "$box"
grep -qx "child=Static|数据文件已经丢失，请将软件解压到文件夹之后再使用" <<<"$box" || fail "wrong message"
sleep 1
shot missing-data-file
main=$(driver find-main 1000)
[ "$(value visible "$main")" != 1 ] || fail "main window shown although data is missing"
driver press-ok "提示" >/dev/null || fail "could not answer the message"
wait_exit "${KESTRONE_PIDS[-1]}" 20 || fail "program did not end"
[ -z "$(driver message-box "提示" 1000 | grep hwnd)" ] || fail "message shown twice"
log "PASS"
