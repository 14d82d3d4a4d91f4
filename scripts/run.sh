#!/usr/bin/env bash
# Starts Velmora from dist/ under Wine: in $DISPLAY when one is set, else in
# a private Xvfb. Saves a screenshot of the screen once the dialog is up.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
shift || true
shot=$build/velmora-screenshot.png
env_script=$here/scripts/testenv.sh

if [ -n "${DISPLAY:-}" ]; then
    own_display=$DISPLAY
    "$env_script" prefix "$build"
    eval "$("$env_script" env "$build")"
    export DISPLAY=$own_display
else
    own_display=
    "$env_script" start "$build"
    trap '"$env_script" stop "$build"' EXIT
    eval "$("$env_script" env "$build")"
fi

# The tests share this prefix and leave the Windows version of their last
# start behind: run under the prefix's own version.
LC_ALL=$VELMORA_LOCALE wine reg delete 'HKCU\Software\Wine\AppDefaults\Velmora.exe' /v Version /f \
    </dev/null >/dev/null 2>&1 || true
LC_ALL=$VELMORA_LOCALE wine "$here/dist/Velmora.exe" "$@" </dev/null >/dev/null 2>&1 &
pid=$!
"$here/scripts/screenshot.sh" "$shot" Velmora && echo "screenshot: $shot"
if [ -z "$own_display" ]; then
    # Nobody can use a private display: close the dialog after a moment.
    sleep 1
    LC_ALL=$VELMORA_LOCALE wine taskkill /im Velmora.exe >/dev/null 2>&1 || true
fi
wait $pid || true
