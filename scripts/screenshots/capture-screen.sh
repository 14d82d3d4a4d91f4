#!/usr/bin/env bash
# capture-screen.sh OUT.png [TITLE]: waits until a window titled TITLE is
# mapped on $DISPLAY (when given; at most $SCREENSHOT_WAIT seconds, default
# 20), lets it paint ($SCREENSHOT_SETTLE seconds, default 1), then saves the
# whole screen as PNG.
set -euo pipefail
out=$1
title=${2:-}
# A window of that title that is mapped; it exists unmapped a while first.
viewable() {
    local id
    for id in $(xwininfo -root -tree 2>/dev/null | sed -n "s/^ *\(0x[0-9a-f]*\) \"$title\".*/\1/p"); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}
if [ -n "$title" ]; then
    for _ in $(seq 1 $((${SCREENSHOT_WAIT:-20} * 5))); do
        viewable && break
        sleep 0.2
    done
    sleep "${SCREENSHOT_SETTLE:-1}"  # let it paint
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
xwd -root -silent | xwdtopnm -quiet >"$work/screen.ppm"
# Tooltips and balloons come out black in a dump of the root window: each
# viewable top-level window is dumped on its own and pasted over it, from
# the bottom of the stacking order up.
while read -r id x y; do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
    xwd -id "$id" -silent 2>/dev/null | xwdtopnm -quiet >"$work/window.ppm" 2>/dev/null || continue
    pamcomp -quiet -xoff="$x" -yoff="$y" "$work/window.ppm" "$work/screen.ppm" >"$work/pasted.ppm"
    mv "$work/pasted.ppm" "$work/screen.ppm"
done < <(xwininfo -root -children | sed -nE 's/^ +(0x[0-9a-f]+) .* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) +\+.*/\1 \4 \5 \2 \3/p' |
         awk '$4 > 1 && $5 > 1 { print $1, $2, $3 }' | tac)
pnmtopng "$work/screen.ppm" >"$out"
