#!/usr/bin/env bash
# smoke32.sh BUILD BUILD64: the real 32-bit deliverables of dist/ on a host
# that runs 32-bit code only under emulation, where every 32-bit start costs
# a minute or more. It runs in an environment of its own copied from the
# 64-bit twin's booted prefix (made by wine64 alone, it serves 32-bit
# programs too), so that the twin's suite can run beside it. Few starts,
# each counted; the count goes to $VELMORA_STARTS_FILE when that is set.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd) build64=$(cd "$2" && pwd)
. "$here/host.sh"
wine32=$(velmora_wine_loader i686)

"$here/testenv.sh" start "$build64" smoke32 || exit 1
trap '"$here/testenv.sh" stop "$build64" smoke32' EXIT
trap 'exit 143' TERM  # a run that is timed out still stops its environment
eval "$("$here/testenv.sh" env "$build64" smoke32)"

starts=0 status=0
# step NAME COMMAND...: one part of the smoke test, with its outcome and time.
step() {
    local name=$1 start=$SECONDS result=passed
    shift
    echo "-- $name"
    "$@" || { result=FAILED; status=1; }
    echo "-- $name: $result in $((SECONDS - start)) s"
}
# A 32-bit program through the 32-bit loader, under the emulator.
run32() {
    starts=$((starts + 1))
    env LC_ALL="$VELMORA_LOCALE" WINELOADER="$wine32" "$wine32" "$@"
}
# The 64-bit driver starts the 32-bit program once.
drive_velmora() {
    starts=$((starts + 1))
    env LC_ALL="$VELMORA_LOCALE" VELMORA_SMOKE_EXE="$root/dist/Velmora.exe" \
        "$VELMORA_WINE" "$build64/tests/smoke_tests.exe" || return 1
    # What the logon reads, as an administrator would look it up; then gone
    # again, as the suite expects.
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon' name
    env LC_ALL="$VELMORA_LOCALE" "$VELMORA_WINE" reg query "$key" /reg:64 </dev/null | grep -a LegalNotice
    for name in LegalNoticeCaption LegalNoticeText; do
        env LC_ALL="$VELMORA_LOCALE" "$VELMORA_WINE" reg delete "$key" /v "$name" /f /reg:64 \
            </dev/null >/dev/null 2>&1
    done
    return 0
}

# By hand, stdcall with two pushed pointers, the stack checked: result 1 for DER.
call_kestrel() {
    VELMORA_KESTREL_DLL="$root/dist/Kestrel.dll" run32 "$build/tests/kestrel/kestrel_tests.exe" \
        --gtest_filter=ImportCertFile.AddsADerCertificateAgainAndAgain
}

step "dist/Velmora.exe, Windows 7, save into the 64-bit view" drive_velmora
step "dist/Kestrel.dll called by a 32-bit caller" call_kestrel
# Without the 9x case, which rewrites this program's import table while a
# second thread runs: under qemu-user that start crashed or hung in five of
# seven runs here (alone in one of three). Without the table of loaded files
# read a second time by regedit's import: a 32-bit caller starts Wine's
# 32-bit regedit, one emulated start a row, a minute each. The 64-bit suite
# runs both on every host, the 32-bit suite natively where the host runs
# 32-bit code.
step "32-bit core tests" run32 "$build/tests/core_tests.exe" \
    --gtest_filter=-NineXFamily.*:NoticeExport.FilesReadBackAsTheirReadersReadThem

echo "$starts" >"${VELMORA_STARTS_FILE:-/dev/null}"
echo "emulated 32-bit starts: $starts"
exit $status
