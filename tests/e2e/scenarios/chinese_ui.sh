#!/usr/bin/env bash
# "Language=zh-CN" in UserSettings.ini: the Scan, Settings and History pages,
# the toolbar and the column captions speak Simplified Chinese, none of the
# program's English texts is left on them, and the language box shows the
# choice. Screenshots of each page show whether the characters render.
source "$E2E_LIB"
private_run_dir
printf '[Settings]\r\nLanguage=zh-CN\r\nGuardDrives=0\r\n' >"$RUN_DIR/UserSettings.ini"
start_kestrone
settled_main >/dev/null || fail "no main window"

# page NAME TOOL MIN: shows the page, keeps a screenshot, and checks its texts.
page() {
    driver click-tool "$2" >/dev/null || fail "no toolbar button $2"
    sleep 1.5
    shot "chinese-$1"
    local texts
    texts=$(driver page-texts)
    echo "$texts"
    grep '^en|' <<<"$texts" && fail "English texts left on the $1 page"
    local chinese
    chinese=$(value zh "$(tail -1 <<<"$texts" | tr ' ' '\n')")
    [ "${chinese:-0}" -ge "$3" ] || fail "only ${chinese:-0} Chinese texts on the $1 page"
    TEXTS=$texts
}

page scan 0 11
grep -qx 'zh|开始' <<<"$TEXTS" || fail "no Start button in Chinese"
grep -qx 'zh|设置' <<<"$TEXTS" || fail "toolbar not in Chinese"
targets=$(driver lv-rows 1101)
echo "$targets"
[ "$(value rows "$targets")" = 3 ] || fail "the scan targets are missing"

page settings 5 12
grep -qx 'zh|保存(&S)' <<<"$TEXTS" || fail "no Save button in Chinese"
grep -qx 'zh|中文(简体)' <<<"$TEXTS" || fail "the language box does not show the choice"

page history 8 14
grep -qx 'zh|撤销(&U)' <<<"$TEXTS" || fail "no Undo button in Chinese"
grep -qx 'zh|原因' <<<"$TEXTS" || fail "column captions not in Chinese"

# The threat question of an infected stick (the guard, off here, would clean
# the stick before its arrival), in Chinese; Cancel leaves the stick.
infected_stick
arrive E 2000 >/dev/null &
arrival=$!
for ((i = 0; i < 60; i++)); do driver dialog-open && break; sleep 0.5; done
sleep 1
shot chinese-threat-question
question=$(driver sel-choice 2 0 cancel 30000) || fail "no threat question"
echo "$question"
grep -qx 'child=Button|清除感染文件并安全打开 U 盘' <<<"$question" || fail "threat question not in Chinese"
grep -q 'child=Button|取消(&C)' <<<"$question" || fail "Cancel button not in Chinese"
grep -E '\|(Clean infected|Open usb|&OK|&Cancel|Don.t show)' <<<"$question" && fail "English left on the question"
wait "$arrival"

# Save keeps the choice; the English word "auto" never replaces it.
driver click-tool 5 >/dev/null; sleep 1
driver click 1607 >/dev/null || fail "no Save button"
box=$(driver message-box 提示 20000) || fail "no Save message under its Chinese title"
echo "$box"
grep -q 'child=Static|设置已保存' <<<"$box" || fail "Save message not in Chinese"
shot chinese-saved
driver press-ok 提示 >/dev/null
ini=$(tr -d '\r' <"$RUN_DIR/UserSettings.ini")
echo "$ini"
grep -qx 'Language=zh-CN' <<<"$ini" || fail "the language setting was lost"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
