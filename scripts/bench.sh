#!/usr/bin/env bash
# bench.sh [BUILD [BUILD64]] (make bench): start-up time of Velmora under
# Wine without and with its signature panel, each against a yardstick that
# shows the same dialog and does only what the platform costs
# (tests/bench/Yardstick.cpp), and the sizes of the deliverables. A
# host that runs no 32-bit code times the 64-bit twin instead: emulated
# starts would time the emulator.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
build64=$(cd "${2:-$build/x64}" && pwd)
. "$here/scripts/testenv/host.sh"
velmora_host_kind >/dev/null
if [ "$VELMORA_HOST_KIND" = broken32 ]; then
    echo "this host runs 32-bit code, but $VELMORA_HOST_REASON" >&2
    exit 1
fi
velmora=$here/dist/Velmora.exe
if [ "$VELMORA_HOST_KIND" = no32 ]; then
    echo "no 32-bit code on this host ($VELMORA_HOST_REASON): timing the 64-bit twin"
    build=$build64 velmora=$build64/dist/Velmora.exe
fi
cmake --build "$build" --target bench_programs >/dev/null
"$here/scripts/testenv/testenv.sh" start "$build"
trap '"$here/scripts/testenv/testenv.sh" stop "$build"' EXIT
"$build/wine-run.sh" "$build/tests/StartupBench.exe" "$velmora" \
    "$build/tests/Yardstick.exe" "${BENCH_RUNS:-15}"
echo
echo "sizes (aim: Velmora.exe at most 224 KiB signed):"
for f in "$here"/dist/*; do
    [ -f "$f" ] && printf '  %-24s %8d bytes (%d KiB)\n' "$(basename "$f")" "$(stat -c %s "$f")" $(( ($(stat -c %s "$f") + 1023) / 1024 ))
done
