#!/usr/bin/env bash
# The Wine environments of a build folder: 64-bit prefixes inside it, each
# with a private Xvfb and its own wineserver, and a pinned locale whose ANSI
# code page is 1252. Programs of the build folder's architecture (its file
# wine-arch) start through the Wine loader of that architecture,
# $VELMORA_WINE; a 64-bit build folder's prefixes are made by the 64-bit
# loader alone.
# A prefix is booted once per build folder (BUILD/wineprefix-booted) and
# never used itself: the build folder's own environment (BUILD/wineprefix)
# is copied from it once and kept, a named one (BUILD/testenvs/NAME, one for
# each shard of the end-to-end cases) is copied afresh at every start, so
# that it never sees what an earlier run left behind.
#   testenv.sh start BUILD [NAME]   make the prefix if needed, start Xvfb and wineserver
#   testenv.sh stop BUILD [NAME]    end wineserver and Xvfb
#   testenv.sh prefix BUILD         only boot the prefix and copy the build folder's own
#   testenv.sh env BUILD [NAME]     print the environment as shell assignments
#   testenv.sh run BUILD NAME -- COMMAND...
#                                   COMMAND in a fresh environment NAME, started and
#                                   stopped around it; VELMORA_TESTENV=NAME tells
#                                   BUILD/wine-run.sh to use it
# Without NAME, VELMORA_TESTENV names the environment; empty or unset: the
# build folder's own.
set -euo pipefail
. "$(dirname "$0")/host.sh"

cmd=$1
build=$(cd "$2" && pwd)
name=${3:-${VELMORA_TESTENV:-}}
booted=$build/wineprefix-booted
if [ -n "$name" ]; then
    case $name in */* | .*) echo "bad environment name: $name" >&2; exit 2 ;; esac
    home=$build/testenvs/$name
    state=$home/state
    prefix=$home/wineprefix
else
    home=
    state=$build/testenv
    prefix=$build/wineprefix
fi
mkdir -p "$state"

arch=$(cat "$build/wine-arch")
export WINEPREFIX=$prefix
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

# Wine's own fonts (Tahoma for "MS Shell Dlg", Marlett for the caption
# buttons), installed with fonts-wine: Debian's Wine 8 does not take them
# from its data folder, but finds them in the prefix's Fonts folder, where
# Windows keeps its own. Without them every text is measured in a host font.
install_fonts() {
    local fonts=/usr/share/wine/fonts
    [ -d "$fonts" ] || { echo "Wine's fonts are missing: install fonts-wine" >&2; return 1; }
    mkdir -p "$booted/drive_c/windows/Fonts"
    cp -u "$fonts"/*.ttf "$booted/drive_c/windows/Fonts/"
}

# Its 32-bit half (syswow64) is made only where a 32-bit program can start,
# natively or emulated; a prefix booted before an emulator was registered
# lacks it and is booted anew.
boot_prefix() {
    if [ -f "$booted/.velmora-booted" ] && { [ -e "$booted/drive_c/windows/syswow64/kernel32.dll" ] ||
        { [ "$(velmora_host_kind)" != native32 ] && ! velmora_host_emulator >/dev/null; }; }; then
        install_fonts
        return
    fi
    rm -rf "$booted"
    # No display while the prefix is made: Wine then offers no installer
    # dialogs for Mono or Gecko, which would wait for a click.
    env -u DISPLAY WINEPREFIX="$booted" LC_ALL=$locale_name WINEDLLOVERRIDES="mscoree=" \
        "$VELMORA_WINE" wineboot -i >/dev/null 2>&1
    # A program that crashes ends at once, its backtrace in the output:
    # Wine's debugger would show a crash dialog and wait for a click,
    # holding the crashed program and the test run's output.
    env -u DISPLAY WINEPREFIX="$booted" LC_ALL=$locale_name "$VELMORA_WINE" reg add \
        'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    WINEPREFIX="$booted" wineserver -w
    install_fonts || return 1
    touch "$booted/.velmora-booted"
}

# copy_prefix TARGET: the booted prefix as TARGET. Wine's own files, the
# bulk of it, never change after the boot and are linked; the registry and
# everything a program may write are copied.
copy_prefix() {
    local target=$1 entry
    if [ -d "$target/drive_c/velmora-locked" ]; then chattr -i "$target/drive_c/velmora-locked" 2>/dev/null || true; fi
    rm -rf "$target"
    mkdir -p "$target/drive_c"
    for entry in "$booted"/* "$booted"/.[!.]*; do
        [ -e "$entry" ] || [ -L "$entry" ] || continue
        [ "${entry##*/}" = drive_c ] || cp -a "$entry" "$target/"
    done
    for entry in "$booted/drive_c"/*; do
        if [ "${entry##*/}" = windows ]; then
            mkdir "$target/drive_c/windows"
            local part
            for part in "$entry"/* "$entry"/.[!.]*; do
                [ -e "$part" ] || continue
                case ${part##*/} in
                system32 | syswow64 | winsxs)
                    cp -al "$part" "$target/drive_c/windows/" ;;
                *) cp -a "$part" "$target/drive_c/windows/" ;;
                esac
            done
        else
            cp -a "$entry" "$target/drive_c/"
        fi
    done
}

make_prefix() {
    # Shards that start together boot it once.
    (flock 9 && boot_prefix) 9>"$build/wineprefix-booted.lock"
    if [ -n "$home" ]; then
        copy_prefix "$WINEPREFIX"
        return
    fi
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    # The build folder's own prefix lasts: a full copy, nothing shared.
    rm -rf "$WINEPREFIX"
    cp -a "$booted" "$WINEPREFIX"
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

stop_env() {
    unlock_folder
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
}

start_env() {
    # A named environment starts from a fresh copy: whatever an earlier run
    # left running in it ends first.
    if [ -n "$home" ] && [ -f "$WINEPREFIX/system.reg" ]; then stop_env; fi
    make_prefix
    lock_folder
    start_xvfb
    export DISPLAY=$(cat "$state/display")
    # Background processes must not hold the test's output open.
    env LC_ALL=$locale_name wineserver -p </dev/null >/dev/null 2>&1 || true  # may run already
    # Wine's own services start with the first program and keep its output
    # open; start them here, detached from any test's output.
    env LC_ALL=$locale_name "$VELMORA_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1
}

case $cmd in
prefix) make_prefix ;;
start) start_env ;;
stop) stop_env ;;
env) print_env ;;
run)
    [ -n "$home" ] && [ "${4:-}" = -- ] || { echo "usage: $0 run BUILD NAME -- COMMAND..." >&2; exit 2; }
    shift 4
    start_env
    trap stop_env EXIT
    status=0
    VELMORA_TESTENV=$name "$@" || status=$?
    exit $status
    ;;
*) echo "usage: $0 start|stop|prefix|env BUILD [NAME] | run BUILD NAME -- COMMAND..." >&2; exit 2 ;;
esac
