#!/usr/bin/env bash
# pose-tooltips.sh [BUILD]: screenshots of the dialog with the elevation balloon
# on Save, with the counter of the notice text, with the balloon of the
# signature icon (the unsigned build: the problem state) and with the
# security policy's balloon over the notice block, and of the notice's
# preview for each Windows family, in a private Xvfb, saved as
# BUILD/screenshot-balloon.png, -counter.png, -signature.png, -policy.png and
# -preview0.png ... -preview3.png.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
cmake --build "$build" --target ScreenshotPoser Velmora >/dev/null
"$here/scripts/testenv/testenv.sh" start "$build"
trap '"$here/scripts/testenv/testenv.sh" stop "$build"' EXIT
eval "$("$here/scripts/testenv/testenv.sh" env "$build")"
for pose in balloon counter signature policy preview0 preview1 preview2 preview3; do
    out=$(mktemp)
    arg=$([ $pose = balloon ] && echo save || echo $pose)
    "$build/wine-run.sh" "$build/tests/ScreenshotPoser.exe" "$build/Velmora.exe" "$arg" 6 >"$out" 2>/dev/null &
    pid=$!
    for _ in $(seq 1 150); do grep -q ready "$out" && break; sleep 0.2; done
    sleep 2.5  # the tooltip shows after the pointer has rested
    "$here/scripts/screenshots/capture-screen.sh" "$build/screenshot-$pose.png"
    echo "screenshot: $build/screenshot-$pose.png"
    wait $pid || true
    rm -f "$out"
done
