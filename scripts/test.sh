#!/usr/bin/env bash
# test.sh BUILD BUILD64: sets up, builds and runs every test this host can
# run; the last lines say which path ran and the time of each phase. Run by
# `make test`, whose variables (CMAKE_FLAGS among them) reach the make
# targets called here.
#   A host that runs 32-bit code: the whole suite against the 32-bit build
#   and the whole suite against the 64-bit twin, side by side where the host
#   has more than one core (the output of the 64-bit suite follows that of
#   the 32-bit one).
#   A host that runs none: the whole suite against the 64-bit twin under
#   wine64 and, beside it, a smoke test of the real 32-bit deliverables under
#   emulation (scripts/testenv/smoke32.sh). The 32-bit build makes only what
#   the smoke test and the table checks use. Without an emulator the 32-bit
#   deliverables are not run, and the run fails.
#   A host that runs 32-bit code but whose 32-bit Wine does not start: the
#   run fails, and says so.
# The test prefixes are booted while the code compiles where that saves
# time: on a host without 32-bit code their 32-bit half boots under
# emulation, minutes of one thread; a native boot gains only where the
# host has more than two cores.
# Wherever the 32-bit suite does not run, the checks of the 32-bit
# deliverables' tables and of the setup script run all the same: they need
# only objdump and makensis.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 build64=$2
started=$SECONDS

summary=()
status=0
# part NAME COMMAND...: runs COMMAND, notes its outcome and time.
part() {
    local name=$1; shift
    local start=$SECONDS result=passed
    echo "== $name"
    "$@" || { result=FAILED; status=1; }
    summary+=("$(printf '%-28s %s in %d s' "$name:" "$result" $((SECONDS - start)))")
}
# part_beside NAME LOG COMMAND...: part, in the background, its output into
# LOG and its summary line into LOG.summary.
part_beside() {
    local name=$1 log=$2; shift 2
    ( summary=(); status=0
      part "$name" "$@" >"$log" 2>&1
      printf '%s\n' "${summary[@]}" >"$log.summary"
      exit $status ) &
}
# joined LOG...: the output and the outcome of parts run beside each other.
joined() {
    local log
    wait
    for log in "$@"; do
        cat "$log"
        if [ -s "$log.summary" ]; then
            summary+=("$(cat "$log.summary")")
            grep -q ' passed in ' "$log.summary" || status=1
        else
            summary+=("$(printf '%-28s ended without a result' "$(sed -n '1s/^== //p' "$log"):")")
            status=1
        fi
    done
}
# Set-up first: what the host runs is found out by starting Wine's loaders.
part "set-up" ${MAKE:-make} --no-print-directory configure BUILD="$build" BUILD64="$build64"
. "$here/testenv/host.sh"
velmora_host_kind >/dev/null
echo "host: $VELMORA_HOST_KIND ($VELMORA_HOST_REASON)"

# A configuration that builds no tests fails rather than passes. The
# end-to-end shards run side by side, and beside them the rest in the
# build folder's own environment.
shards=$(velmora_e2e_shards) || exit 2
export VELMORA_E2E_SHARDS=$shards
suite() { ctest --test-dir "$1" --output-on-failure --no-tests=error -j $((shards + 1)) "${@:2}"; }
tables32() { part "32-bit tables, setup script" suite "$build" -L tables; }
# Each build with the deliverables of its folder; the 32-bit one, where
# only the smoke test runs it, with no more than that test and the table
# checks use.
build_all() { cmake --build "$1" -j2 && cmake --build "$1" --target dist; }
build_for_smoke() { cmake --build "$build" -j2 --target dist core_tests kestrel_tests &&
                    cmake --build "$build64" -j2 --target smoke_tests; }
# The prefix of each build folder, booted beside the builds; a boot that
# hangs is ended.
boot() { timeout 1200 "$here/testenv/testenv.sh" prefix "$1"; }

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
if [ $status -ne 0 ]; then
    path="set-up failed"
elif [ "$VELMORA_HOST_KIND" = native32 ]; then
    path="32-bit native + 64-bit twin"
    # A native boot only fills what the compilers leave free: beside the
    # builds where there are cores to spare, else in each suite's first test.
    if [ "$(nproc)" -gt 2 ]; then
        part_beside "prefix boot, 32-bit build" "$logs/boot32" boot "$build"
        part_beside "prefix boot, 64-bit build" "$logs/boot64" boot "$build64"
    fi
    part "32-bit build" build_all "$build"
    part "64-bit build" build_all "$build64"
    [ "$(nproc)" -le 2 ] || joined "$logs/boot32" "$logs/boot64"
    if [ "$(nproc)" -gt 1 ]; then
        part_beside "32-bit suite" "$logs/32" suite "$build"
        part_beside "64-bit suite" "$logs/64" suite "$build64"
        joined "$logs/32" "$logs/64"
    else
        part "32-bit suite" suite "$build"
        part "64-bit suite" suite "$build64"
    fi
elif [ "$VELMORA_HOST_KIND" = broken32 ]; then
    part_beside "prefix boot, 64-bit build" "$logs/boot64" boot "$build64"
    part "32-bit build" build_for_smoke
    part "64-bit build" build_all "$build64"
    joined "$logs/boot64"
    tables32
    part "64-bit suite" suite "$build64"
    path="64-bit twin only: this host runs 32-bit code, but its 32-bit Wine is broken"
    summary+=("32-bit suite:                NOT RUN - $VELMORA_HOST_REASON")
    status=1
else
    part_beside "prefix boot, 64-bit build" "$logs/boot64" boot "$build64"
    part "32-bit build, smoke driver" build_for_smoke
    if emulator=$(velmora_host_emulator); then
        # The smoke test waits for the prefix, then runs beside the rest.
        part_beside "emulated 32-bit smoke" "$logs/smoke" env VELMORA_STARTS_FILE="$logs/starts" \
            timeout 1500 "$here/testenv/smoke32.sh" "$build" "$build64"
    fi
    part "64-bit build" build_all "$build64"
    tables32
    part "64-bit suite" suite "$build64"
    if [ -n "${emulator:-}" ]; then
        joined "$logs/boot64" "$logs/smoke"
        path="64-bit twin + emulated 32-bit smoke ($(cat "$logs/starts" 2>/dev/null || echo 0) starts, $emulator)"
    else
        joined "$logs/boot64"
        path="64-bit twin only: the 32-bit deliverables were NOT run"
        summary+=("32-bit deliverables:         NOT RUN - no emulator for i386 programs is registered")
        summary+=("  (scripts/install-deps.sh registers qemu-user-static; it needs root or sudo, and binfmt_misc)")
        status=1
    fi
fi
summary+=("$(printf '%-28s %d s' "in all:" $((SECONDS - started)))")

echo
echo "== test summary"
echo "host:  $VELMORA_HOST_KIND ($VELMORA_HOST_REASON)"
printf '%s\n' "${summary[@]}"
if [ $status -eq 0 ]; then echo "path:  $path: all passed"; else echo "path:  $path: FAILED"; fi
exit $status
