#!/usr/bin/env bash
# screenshot.sh OUT.png [TITLE]: waits until a window titled TITLE is mapped
# on $DISPLAY (when given), then saves the whole screen as PNG.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
title=${2:-}
if [ -n "$title" ]; then
    for _ in $(seq 1 100); do
        xwininfo -root -tree 2>/dev/null | grep -q "\"$title\"" && break
        sleep 0.2
    done
    sleep 1  # let it paint
fi
tmp=$(mktemp --suffix=.xwd)
xwd -root -silent >"$tmp"
python3 "$here/xwd2png.py" "$tmp" "$out"
rm -f "$tmp"
