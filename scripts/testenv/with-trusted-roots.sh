#!/usr/bin/env bash
# with-trusted-roots.sh BUILD PEM... -- COMMAND...: runs COMMAND with the
# given certificates trusted as roots by Wine, in BUILD's Wine prefix.
# Wine takes its trusted roots from the host's CA bundle, so COMMAND runs in
# a private mount namespace where a copy of the bundle with the certificates
# appended lies over the original. The machine's own trust store is never
# changed.
# Wine also copies the roots it found into the prefix's registry and does
# not remove them later: before and after COMMAND the certificates are taken
# out of it again, so that later runs do not trust them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1; shift
certificates=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do certificates+=("$1"); shift; done
shift

forget_roots() {
    local view thumbprint
    eval "$("$here/testenv.sh" env "$build")"
    for certificate in "${certificates[@]}"; do
        thumbprint=$(openssl x509 -in "$certificate" -noout -fingerprint -sha1 | sed 's/.*=//; s/://g')
        for view in 'Software' 'Software\Wow6432Node'; do
            LC_ALL=$VELMORA_LOCALE "$VELMORA_WINE" reg delete \
                "HKLM\\$view\\Microsoft\\SystemCertificates\\Root\\Certificates\\$thumbprint" /f \
                </dev/null >/dev/null 2>&1 || true
        done
    done
}

if [ "${VELMORA_IN_NAMESPACE:-}" != 1 ]; then
    forget_roots
    status=0
    unshare -m env VELMORA_IN_NAMESPACE=1 "$0" "$build" "${certificates[@]}" -- "$@" || status=$?
    forget_roots
    exit $status
fi
bundle=/etc/ssl/certs/ca-certificates.crt
copy=$(mktemp /tmp/velmora-trusted-XXXXXX.crt)
trap 'rm -f "$copy"' EXIT
cat "$bundle" "${certificates[@]}" >"$copy"
mount --make-rprivate /
mount --bind "$copy" "$bundle"
"$@"
