#!/usr/bin/env bash
# "Language=zh-CN" in UserSettings.ini: the Scan, Settings and History pages,
# the toolbar and the column captions speak Simplified Chinese, none of the
# program's English texts is left on them, and the language box shows the
# choice. Screenshots of each page show whether the characters render.
source "$E2E_LIB"
private_run_dir
printf '[Settings]\r\nLanguage=zh-CN\r\n' >"$RUN_DIR/UserSettings.ini"
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

# Save keeps the choice; the English word "auto" never replaces it.
driver click-tool 5 >/dev/null; sleep 1
driver click 1607 >/dev/null || fail "no Save button"
sleep 3
shot chinese-saved
ini=$(tr -d '\r' <"$RUN_DIR/UserSettings.ini")
echo "$ini"
grep -qx 'Language=zh-CN' <<<"$ini" || fail "the language setting was lost"
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
