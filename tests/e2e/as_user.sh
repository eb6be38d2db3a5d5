#!/usr/bin/env bash
# Sourced by a scenario instead of lib.sh: everything Windows does in it runs as
# an ordinary Linux account, the way a user with standard rights meets Kestrone
# installed in Program Files. The account has a Wine prefix of its own, the
# removable drive E: as lib.sh makes it (a folder the account owns), and
# "C:\Program Files\Kestrone" holding the program and its shipped files, owned
# by root and not writable by the account.
#
# Environment, besides lib.sh's:
#   E2E_USER   the account (default kestrone-user); made with useradd when
#              missing. A scenario run by someone else than root uses sudo for
#              what needs root (the account, the program folder, ownership).
# The account's prefix is ${E2E_PREFIX}-user; lib.sh's functions (driver,
# start_kestrone, reg_value, the stick makers, clean-up) work in it unchanged,
# through wrappers given to lib.sh as E2E_WINE and E2E_WINESERVER.
#
# After sourcing, a scenario has:
#   install_program [FILE...]  a fresh program folder, optionally with more
#                              files (such as a UserSettings.ini of defaults)
#   PROGRAM_DIR                that folder as a Linux path
#   USER_DATA                  the account's %LOCALAPPDATA%\Kestrone (Linux path)
#   as_user COMMAND...         a command as the account
#   program_folder_unchanged   true while the program folder holds what
#                              install_program put there, byte for byte
set -u
: "${E2E_USER:=kestrone-user}"
: "${E2E_WINEARCH:=win32}"
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_USER_LOG() { echo "[e2e] $*"; }

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo -n "$@"; fi
}

# The Wine this machine has, as lib.sh would pick it; nothing to test without.
if [ -z "${E2E_WINE:-}" ]; then
    source "$E2E_HERE/../../cmake/wine-env.sh"
    if ! wine_select "$E2E_WINEARCH"; then
        E2E_USER_LOG "no Wine for $E2E_WINEARCH on this machine: scenario skipped"
        exit 77
    fi
    E2E_WINE=$WINE E2E_WINESERVER=$WINESERVER
fi
if ! "$E2E_WINE" --version >/dev/null 2>&1; then
    E2E_USER_LOG "Wine cannot run here: scenario skipped"
    exit 77
fi
if [ "$(id -u)" != 0 ] && ! sudo -n true 2>/dev/null; then
    E2E_USER_LOG "neither root nor sudo without a password: no other account to run as; scenario skipped"
    exit 77
fi
REAL_WINE=$E2E_WINE REAL_WINESERVER=$E2E_WINESERVER

# ---- The account ----
if ! id -u "$E2E_USER" >/dev/null 2>&1; then
    E2E_USER_LOG "creating the account $E2E_USER"
    as_root useradd --create-home --user-group --shell /bin/bash "$E2E_USER" ||
        id -u "$E2E_USER" >/dev/null 2>&1 || { E2E_USER_LOG "FAIL: could not create $E2E_USER"; exit 1; }
fi
USER_HOME=$(getent passwd "$E2E_USER" | cut -d: -f6)
USER_GROUP=$(id -gn "$E2E_USER")
[ -d "$USER_HOME" ] || as_root install -d -o "$E2E_USER" -g "$USER_GROUP" -m 755 "$USER_HOME"

# as_user COMMAND...: runs COMMAND as the account with the scenario's Wine
# environment only (prefix, display, loader), in the current folder when the
# account may enter it, else in its prefix.
as_user() {
    local vars=(HOME="$USER_HOME" USER="$E2E_USER" LOGNAME="$E2E_USER"
        PATH=/usr/local/bin:/usr/bin:/bin LANG="${LANG:-C.UTF-8}"
        DISPLAY="${DISPLAY:-}" WINEPREFIX="$E2E_PREFIX" WINEARCH="$E2E_WINEARCH"
        WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}")
    [ -z "${WINELOADER:-}" ] || vars+=(WINELOADER="$WINELOADER")
    [ ! -f "$E2E_PREFIX/.Xauthority" ] || vars+=(XAUTHORITY="$E2E_PREFIX/.Xauthority")
    local enter='cd "$1" 2>/dev/null || cd "$WINEPREFIX" 2>/dev/null || cd /; shift; exec "$@"'
    if [ "$(id -u)" = 0 ]; then
        ${E2E_AS_USER_EXEC:+exec} setpriv --reuid="$E2E_USER" --regid="$USER_GROUP" --init-groups \
            env -i "${vars[@]}" /bin/sh -c "$enter" sh "$PWD" "$@"
    else
        ${E2E_AS_USER_EXEC:+exec} sudo -n -u "$E2E_USER" env -i "${vars[@]}" /bin/sh -c "$enter" sh "$PWD" "$@"
    fi
}

# let_user_reach PATH: every folder above PATH may be entered by others. Only
# the execute (enter) bit is added, only where missing; nothing becomes writable.
let_user_reach() {
    local dir
    dir=$(dirname "$1")
    while :; do
        if [ "$(stat -c %U "$dir")" != "$E2E_USER" ] && [ -z "$(find "$dir" -maxdepth 0 -perm -o+x)" ]; then
            E2E_USER_LOG "letting others enter $dir (o+x)"
            as_root chmod o+x "$dir"
        fi
        [ "$dir" = / ] && break
        dir=$(dirname "$dir")
    done
}

# ---- The account's prefix ----
E2E_PREFIX="${E2E_PREFIX}-user"
if [ ! -d "$E2E_PREFIX" ]; then
    as_root install -d -o "$E2E_USER" -g "$USER_GROUP" -m 755 "$E2E_PREFIX"
elif [ "$(stat -c %U "$E2E_PREFIX")" != "$E2E_USER" ]; then
    as_root chown -R "$E2E_USER:$USER_GROUP" "$E2E_PREFIX"
fi
let_user_reach "$E2E_PREFIX"

# ---- The Wine the account runs ----
# Under emulation the launcher tree lives in the build folder: the account must
# enter the folders on the way and read and run the tree's files.
wine_tree=$(dirname "$(dirname "$(dirname "$REAL_WINE")")")
if [ "$(basename "$(dirname "$REAL_WINE")")" = wine ] && [ -f "$wine_tree/.kestrone-tree-2" ]; then
    if ! as_user test -x "$REAL_WINE" ||
        ! as_user test -r "$wine_tree/lib/i386-linux-gnu/libkestrone-trapno.so"; then
        let_user_reach "$wine_tree/lib"
        E2E_USER_LOG "letting others read $wine_tree (o+rX)"
        as_root chmod -R o+rX "$wine_tree"
    fi
fi

# A display that admits only holders of its cookie: the account gets a copy in
# a file of its own.
if [ -n "${DISPLAY:-}" ] && [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
    as_user rm -f "$E2E_PREFIX/.Xauthority"
    xauth extract - "$DISPLAY" 2>/dev/null |
        as_user xauth -q -f "$E2E_PREFIX/.Xauthority" merge - 2>/dev/null
    [ -n "$(as_user xauth -f "$E2E_PREFIX/.Xauthority" list 2>/dev/null)" ] ||
        { E2E_USER_LOG "FAIL: the display's cookie could not be handed to $E2E_USER"; exit 1; }
fi

# The wrappers lib.sh runs as its Wine and its server. They stay outside the
# account's reach (root runs them), beside the prefix in the build folder.
E2E_USER_TOOLS="$(dirname "$E2E_PREFIX")/.as-user-$(basename "$E2E_PREFIX")"
mkdir -p "$E2E_USER_TOOLS"
for tool in wine:"$REAL_WINE" wineserver:"$REAL_WINESERVER"; do
    cat >"$E2E_USER_TOOLS/${tool%%:*}.new" <<WRAPPER
#!/usr/bin/env bash
# ${tool#*:}, run as $E2E_USER (made by as_user.sh).
E2E_PREFIX='$E2E_PREFIX' E2E_USER='$E2E_USER' USER_HOME='$USER_HOME' USER_GROUP='$USER_GROUP'
E2E_WINEARCH='$E2E_WINEARCH' E2E_AS_USER_EXEC=1
$(declare -f as_user)
as_user '${tool#*:}' "\$@"
WRAPPER
    chmod 755 "$E2E_USER_TOOLS/${tool%%:*}.new"
    mv -f "$E2E_USER_TOOLS/${tool%%:*}.new" "$E2E_USER_TOOLS/${tool%%:*}"
done
E2E_WINE=$E2E_USER_TOOLS/wine E2E_WINESERVER=$E2E_USER_TOOLS/wineserver

# The account's Wine must start: a failure here is a fault of this set-up, not
# a machine without Wine.
if ! version=$("$E2E_WINE" --version 2>&1); then
    E2E_USER_LOG "FAIL: $E2E_USER cannot run Wine ($version)"
    exit 1
fi

# Nothing of an earlier run that ended early still runs in the account's prefix.
"$E2E_WINESERVER" -k 2>/dev/null

in_prefix() { as_user "$@"; }
source "$E2E_HERE/lib.sh"

# The stick as the account's own: what a user plugs in, the user may change.
stick_code="STICK='$STICK'; USER_FILES=(${USER_FILES[*]@Q}); $(declare -f empty_stick infected_stick)"
empty_stick() { as_user bash -c "$stick_code; empty_stick"; }
infected_stick() { as_user bash -c "$stick_code; infected_stick"; }
[ "$(stat -c %U "$STICK")" = "$E2E_USER" ] || as_root chown -R "$E2E_USER:$USER_GROUP" "$STICK"

# The driver and the program it holds, where the account can run them.
tools_dir="$E2E_PREFIX/drive_c/e2e-tools"
as_root rm -rf "$tools_dir"
as_root install -d -o root -g root -m 755 "$tools_dir"
as_root install -o root -g root -m 644 "$E2E_DRIVER" ${E2E_HOLDER:+"$E2E_HOLDER"} "$tools_dir/" ||
    fail "the driver could not be copied for $E2E_USER"
E2E_DRIVER="$tools_dir/$(basename "$E2E_DRIVER")"
[ -z "${E2E_HOLDER:-}" ] || E2E_HOLDER="$tools_dir/$(basename "$E2E_HOLDER")"

# ---- Program Files ----
PROGRAM_DIR="$E2E_PREFIX/drive_c/Program Files/Kestrone"
PROGRAM_WIN='C:\Program Files\Kestrone'
RUN_DIR=$PROGRAM_DIR

install_program() {  # [EXTRA FILE...]
    local files=("$KESTRONE_BIN/Kestrone.exe" "$KESTRONE_BIN/kestrone-scan.exe"
        "$KESTRONE_BIN/kernel.dll" "$KESTRONE_BIN/Process.dat") optional
    for optional in Kestrone.skin Help.chm; do
        [ ! -f "$KESTRONE_BIN/$optional" ] || files+=("$KESTRONE_BIN/$optional")
    done
    as_root rm -rf "$PROGRAM_DIR"
    as_root install -d -o root -g root -m 755 "$PROGRAM_DIR"
    as_root install -o root -g root -m 644 "${files[@]}" "$@" "$PROGRAM_DIR/" ||
        fail "the program folder could not be filled"
    ! as_user touch "$PROGRAM_DIR/.probe" 2>/dev/null || fail "$E2E_USER can write the program folder"
    PROGRAM_SUMS=$(cd "$PROGRAM_DIR" && find . -printf '%p %U %m\n' -type f -exec md5sum {} + | sort)
}
program_folder_unchanged() {
    [ "$(cd "$PROGRAM_DIR" && find . -printf '%p %U %m\n' -type f -exec md5sum {} + | sort)" = "$PROGRAM_SUMS" ]
}

# The account's %LOCALAPPDATA%, as Windows programs in its prefix see it.
local_app_data=$("$E2E_WINE" cmd /c echo '%LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
[[ "$local_app_data" == ?:\\* ]] || fail "no %LOCALAPPDATA% for $E2E_USER (got '$local_app_data')"
USER_DATA="$("$E2E_WINE" winepath -u "$local_app_data" 2>/dev/null | tr -d '\r')"
USER_DATA="$(readlink -m "$USER_DATA")/Kestrone"
[ -d "$(dirname "$USER_DATA")" ] || fail "$local_app_data is no folder: $(dirname "$USER_DATA")"
USER_DATA_WIN="$local_app_data\\Kestrone"
log "as $E2E_USER: program in $PROGRAM_DIR, data in $USER_DATA_WIN ($USER_DATA)"
# Each scenario starts without the account's records of an earlier one.
as_user rm -rf "$USER_DATA"
