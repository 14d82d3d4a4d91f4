#!/usr/bin/env bash
# The Wine environment of a build folder: a 64-bit prefix inside it, a
# private Xvfb, and a pinned locale whose ANSI code page is 1252. Programs of
# the build folder's architecture (its file wine-arch) start through the
# Wine loader of that architecture, $VELMORA_WINE; a 64-bit build folder's
# prefix is made by the 64-bit loader alone.
#   testenv.sh start BUILD   make the prefix if needed, start Xvfb and wineserver
#   testenv.sh stop BUILD    end wineserver and Xvfb
#   testenv.sh prefix BUILD  only make the prefix
#   testenv.sh env BUILD     print the environment as shell assignments
set -euo pipefail
. "$(dirname "$0")/host.sh"

cmd=$1
build=$(cd "$2" && pwd)
state=$build/testenv
mkdir -p "$state"

arch=$(cat "$build/wine-arch")
export WINEPREFIX=$build/wineprefix
export WINEARCH=win64
export WINEDEBUG=-all
export VELMORA_WINE=$(velmora_wine_loader "$arch")
export WINELOADER=$VELMORA_WINE
# Wine takes its code page from this name; the host need not have the locale.
locale_name=en_US.UTF-8
unset LANG LANGUAGE

print_env() {
    printf 'export WINEPREFIX=%q WINEARCH=win64 WINEDEBUG=-all VELMORA_LOCALE=%q\n' "$WINEPREFIX" "$locale_name"
    printf 'export VELMORA_WINE=%q WINELOADER=%q\n' "$VELMORA_WINE" "$WINELOADER"
    [ -f "$state/display" ] && printf 'export DISPLAY=%q\n' "$(cat "$state/display")"
    printf 'unset LANG LANGUAGE\n'
}

make_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    # No display while the prefix is made: Wine then offers no installer
    # dialogs for Mono or Gecko, which would wait for a click.
    env -u DISPLAY LC_ALL=$locale_name WINEDLLOVERRIDES="mscoree=" "$VELMORA_WINE" wineboot -i \
        >/dev/null 2>&1
    wineserver -w
}

# A folder that nobody may write to, not even root, for the export case:
# locked here, because a Unix program that a test starts through Wine now
# and then never runs. Needs root outside a user namespace; where chattr is
# refused, the case that needs the folder fails.
locked_folder=$WINEPREFIX/drive_c/velmora-locked
lock_folder() {
    mkdir -p "$locked_folder"
    chattr +i "$locked_folder" 2>/dev/null || true
}
unlock_folder() {
    if [ -d "$locked_folder" ]; then chattr -i "$locked_folder" 2>/dev/null || true; fi
}

start_xvfb() {
    if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then return 0; fi
    local pipe=$state/displayfd
    rm -f "$pipe"; mkfifo "$pipe"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$pipe" </dev/null >/dev/null 2>&1 &
    echo $! >"$state/xvfb.pid"
    local number
    read -r -t 30 number <"$pipe"
    rm -f "$pipe"
    echo ":$number" >"$state/display"
}

case $cmd in
prefix) make_prefix ;;
start)
    make_prefix
    lock_folder
    start_xvfb
    export DISPLAY=$(cat "$state/display")
    # Background processes must not hold the test's output open.
    env LC_ALL=$locale_name wineserver -p </dev/null >/dev/null 2>&1 || true  # may run already
    # Wine's own services start with the first program and keep its output
    # open; start them here, detached from any test's output.
    env LC_ALL=$locale_name "$VELMORA_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1
    ;;
stop)
    unlock_folder
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
    ;;
env) print_env ;;
*) echo "usage: $0 start|stop|env BUILD" >&2; exit 2 ;;
esac
