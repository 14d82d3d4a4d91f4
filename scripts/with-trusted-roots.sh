#!/usr/bin/env bash
# with-trusted-roots.sh PEM... -- COMMAND...: runs COMMAND with the given
# certificates trusted as roots by Wine, and by nothing else.
# Wine builds its "Root" store in each process from the host's CA bundle, so
# COMMAND runs in a private mount namespace where a copy of the bundle with
# the certificates appended lies over the original. The machine's own trust
# store is never changed.
set -euo pipefail
bundle=/etc/ssl/certs/ca-certificates.crt
certificates=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do certificates+=("$1"); shift; done
shift
if [ "${VELMORA_IN_NAMESPACE:-}" != 1 ]; then
    exec unshare -m env VELMORA_IN_NAMESPACE=1 "$0" "${certificates[@]}" -- "$@"
fi
mount --make-rprivate /
copy=$(mktemp /tmp/velmora-trusted-XXXXXX.crt)
trap 'rm -f "$copy"' EXIT
cat "$bundle" "${certificates[@]}" >"$copy"
mount --bind "$copy" "$bundle"
"$@"
