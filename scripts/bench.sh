#!/usr/bin/env bash
# make bench: start-up time of Velmora against a minimal dialog program under
# Wine, and the sizes of the deliverables.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
cmake --build "$build" --target bench_programs >/dev/null
"$here/scripts/testenv.sh" start "$build"
trap '"$here/scripts/testenv.sh" stop "$build"' EXIT
"$build/wine-run.sh" "$build/tests/StartupBench.exe" "$here/dist/Velmora.exe" \
    "$build/tests/MinimalDialog.exe" "${BENCH_RUNS:-15}"
echo
echo "sizes (aim: Velmora.exe at most 256 KiB):"
for f in "$here"/dist/*; do
    [ -f "$f" ] && printf '  %-24s %8d bytes (%d KiB)\n' "$(basename "$f")" "$(stat -c %s "$f")" $(( ($(stat -c %s "$f") + 1023) / 1024 ))
done
