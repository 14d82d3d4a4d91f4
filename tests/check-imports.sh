#!/usr/bin/env bash
# check-imports.sh OBJDUMP FILE DLL...: FILE imports only from the DLLs
# named (case-insensitive) and is a 32-bit GUI program.
set -euo pipefail
objdump=$1 file=$2; shift 2
allowed=$(printf '%s\n' "$@" | tr 'A-Z' 'a-z')
headers=$("$objdump" -p "$file")
grep -q 'Magic.*010b' <<<"$headers" || { echo "not a 32-bit PE"; exit 1; }
grep -qE 'Subsystem\s+00000002' <<<"$headers" || { echo "not the GUI subsystem"; exit 1; }
status=0
for dll in $(grep -E '^\s+DLL Name:' <<<"$headers" | awk '{print $3}' | tr 'A-Z' 'a-z'); do
    if ! grep -qx "$dll" <<<"$allowed"; then echo "unexpected import: $dll"; status=1; fi
done
exit $status
