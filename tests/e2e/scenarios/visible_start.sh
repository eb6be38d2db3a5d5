#!/usr/bin/env bash
# A start without arguments shows the main window (branded caption, scan page),
# the tray icon is present, and every page is reachable through the toolbar.
source "$E2E_LIB"
start_kestrone
main=$(settled_main) || fail "no main window published"
echo "$main"
[ "$(value visible "$main")" = 1 ] || fail "main window not visible"
[ "$(value caption "$main")" = "Kestrone V2.3" ] || fail "caption not branded"
[ -n "$(driver tray-window)" ] || fail "no tray icon window"
sleep 2
shot visible-start
[ "$(value page "$(driver page)")" = scan ] || fail "scan page not shown at start"
pages=(scan process tools immunity fixsystem settings update about)
for index in 1 2 3 4 5 7 0; do
    driver click-tool "$index" >/dev/null || fail "toolbar button $index"
    sleep 1.5
    page=$(driver page) || fail "no page shown"
    echo "$page"
    [ "$(value page "$page")" = "${pages[$index]}" ] || fail "toolbar ${pages[$index]} shows another page"
    shot "page-${pages[$index]}"
    case ${pages[$index]} in
    about)  # branded, with our own brand values
        for text in "Static|Kestrone" "Static|www.example.com" "Static|support@example.com" \
            "Static|as shipped with Kestrone 2.3.0.618"; do
            grep -qx "child=$text" <<<"$page" || fail "About page lacks $text"
        done ;;
    settings)  # the hidden plug-in box keeps its Chinese caption whatever the code page
        grep -qx "child=Button|开启拦截插件安装" <<<"$page" || fail "plug-in box caption garbled"
        grep -qx "child=Button|Run Kestrone when Windows starts" <<<"$page" ||
            fail "autostart caption not branded" ;;
    esac
done
driver quit-request >/dev/null
driver wait-gone 20000 >/dev/null || fail "program did not end"
log "PASS"
