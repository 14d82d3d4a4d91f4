#!/usr/bin/env bash
# check-tables.sh MAGIC OBJDUMP DLL: DLL is a PE library with MAGIC (010b:
# 32-bit, 020b: 64-bit) that exports exactly ImportCertFile at ordinal 1 and
# ImportCertFileW at ordinal 2, imports from kernel32 and msvcrt only, and
# stays within 32 KiB.
set -euo pipefail
magic=$1 objdump=$2 file=$3
headers=$("$objdump" -p "$file")
status=0
fail() { echo "$*"; status=1; }

grep -q "Magic.*$magic" <<<"$headers" || fail "not a PE with magic $magic"
grep -A12 '^Characteristics' <<<"$headers" | grep -qxP '\tDLL' || fail "not a DLL"

exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | grep -E '^\s+\[' || true)
[ "$(wc -l <<<"$exports")" -eq 2 ] || fail "exports: $exports"
grep -qE '^\s+\[\s*0\] ImportCertFile$' <<<"$exports" || fail "no plain ImportCertFile: $exports"
grep -qE '^\s+\[\s*1\] ImportCertFileW$' <<<"$exports" || fail "no plain ImportCertFileW: $exports"
grep -qE '^\s+\[\s*0\] \+base\[\s*1\]' <<<"$headers" || fail "ImportCertFile is not ordinal 1"
grep -qE '^\s+\[\s*1\] \+base\[\s*2\]' <<<"$headers" || fail "ImportCertFileW is not ordinal 2"
grep -qE 'Ordinal Base\s+1$' <<<"$headers" || fail "ordinal base is not 1"

for dll in $(grep -E '^\s+DLL Name:' <<<"$headers" | awk '{print $3}' | tr 'A-Z' 'a-z'); do
    case $dll in kernel32.dll | msvcrt.dll) ;; *) fail "unexpected import: $dll" ;; esac
done

size=$(stat -c %s "$file")
[ "$size" -le 32768 ] || fail "$size bytes, more than 32 KiB"
exit $status
