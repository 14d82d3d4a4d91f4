#!/usr/bin/env bash
# check-imports.sh MAGIC OBJDUMP FILE DLL...: FILE imports only from the DLLs
# named (case-insensitive) and is a GUI program whose optional header has
# MAGIC (010b: 32-bit, 020b: 64-bit).
set -euo pipefail
magic=$1 objdump=$2 file=$3; shift 3
allowed=$(printf '%s\n' "$@" | tr 'A-Z' 'a-z')
headers=$("$objdump" -p "$file")
grep -q "Magic.*$magic" <<<"$headers" || { echo "not a PE with magic $magic"; exit 1; }
grep -qE 'Subsystem\s+00000002' <<<"$headers" || { echo "not the GUI subsystem"; exit 1; }
status=0
for dll in $(grep -E '^\s+DLL Name:' <<<"$headers" | awk '{print $3}' | tr 'A-Z' 'a-z'); do
    if ! grep -qx "$dll" <<<"$allowed"; then echo "unexpected import: $dll"; status=1; fi
done
exit $status
