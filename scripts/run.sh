#!/usr/bin/env bash
# run.sh [BUILD [BUILD64]]: starts Velmora under Wine, in $DISPLAY when one
# is set, else in a private Xvfb, and saves a screenshot once the dialog is
# up. A host that runs 32-bit code shows the deliverable dist/Velmora.exe.
# A host that runs none shows the 64-bit twin at once; with
# VELMORA_EMULATE32=1 (make run EMULATE32=1) it shows the 32-bit deliverable
# under emulation instead, which takes minutes.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
build64=$(cd "${2:-$build/x64}" && pwd)
shift $(( $# < 2 ? $# : 2 ))
shot=$build/velmora-screenshot.png
env_script=$here/scripts/testenv/testenv.sh
. "$here/scripts/testenv/host.sh"
velmora_host_kind >/dev/null
if [ "$VELMORA_HOST_KIND" = broken32 ]; then
    echo "this host runs 32-bit code, but $VELMORA_HOST_REASON" >&2
    exit 1
fi

exe=$here/dist/Velmora.exe
envbuild=$build
loader_arch=i686
wait_seconds=20 settle_seconds=1
if [ "$VELMORA_HOST_KIND" = no32 ]; then
    # The twin's prefix is made by wine64 alone and serves both.
    envbuild=$build64
    if [ "${VELMORA_EMULATE32:-}" = 1 ]; then
        echo "This host runs 32-bit code only emulated ($VELMORA_HOST_REASON)."
        echo "Starting the 32-bit dist/Velmora.exe under emulation: the window will take minutes."
        wait_seconds=900 settle_seconds=20
    else
        exe=$build64/dist/Velmora.exe
        loader_arch=x86_64
        echo "This host runs no 32-bit code natively ($VELMORA_HOST_REASON):"
        echo "showing the 64-bit twin $exe."
        echo "make run EMULATE32=1 shows the 32-bit deliverable under emulation (minutes)."
    fi
fi

if [ -n "${DISPLAY:-}" ]; then
    own_display=$DISPLAY
    "$env_script" prefix "$envbuild"
    eval "$("$env_script" env "$envbuild")"
    export DISPLAY=$own_display
else
    own_display=
    "$env_script" start "$envbuild"
    trap '"$env_script" stop "$envbuild"' EXIT
    eval "$("$env_script" env "$envbuild")"
fi
loader=$(velmora_wine_loader "$loader_arch")

# The tests share this prefix and leave the Windows version of their last
# start behind: run under the prefix's own version.
winreg() { LC_ALL=$VELMORA_LOCALE "$VELMORA_WINE" reg "$@" </dev/null >/dev/null 2>&1 || true; }
winreg delete 'HKCU\Software\Wine\AppDefaults\Velmora.exe' /v Version /f
# No window manager runs on a private display: there Wine draws the frame
# and the caption itself, so that the screenshot shows the window a user
# sees. Only for this run: the tests keep the prefix as it was.
frames='HKCU\Software\Wine\AppDefaults\Velmora.exe\X11 Driver'
if [ -z "$own_display" ]; then winreg add "$frames" /v Decorated /d N /f; else winreg delete "$frames" /f; fi
LC_ALL=$VELMORA_LOCALE WINELOADER=$loader "$loader" "$exe" "$@" </dev/null >/dev/null 2>&1 &
pid=$!
SCREENSHOT_WAIT=$wait_seconds SCREENSHOT_SETTLE=$settle_seconds \
    "$here/scripts/screenshots/capture-screen.sh" "$shot" Velmora && echo "screenshot: $shot"
if [ -z "$own_display" ]; then
    # Nobody can use a private display: close the dialog after a moment;
    # what is still running when the environment stops is ended with it.
    sleep 1
    LC_ALL=$VELMORA_LOCALE "$VELMORA_WINE" taskkill /im Velmora.exe >/dev/null 2>&1 || true
    for _ in 1 2 3 4 5; do kill -0 $pid 2>/dev/null || break; sleep 1; done
    winreg delete "$frames" /f
    exit 0
fi
wait $pid || true
