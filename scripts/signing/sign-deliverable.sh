#!/usr/bin/env bash
# sign-deliverable.sh IN OUT CER SIGNING_DIR: signs IN with Authenticode
# into OUT and writes the signer's certificate to CER (DER).
# With VELMORA_SIGN_PFX (PKCS#12) and VELMORA_SIGN_PASSWORD_FILE set, that
# certificate signs; otherwise a development certificate in SIGNING_DIR,
# made on first use, named after VELMORA_MAKER.
set -euo pipefail
in=$1 out=$2 cer=$3 dir=$4
here=$(cd "$(dirname "$0")" && pwd)
maker=${VELMORA_MAKER:-Velmora Software}
url=${VELMORA_MAKER_URL:-}
mkdir -p "$(dirname "$out")" "$(dirname "$cer")"
rm -f "$out"
if [ -n "${VELMORA_SIGN_PFX:-}" ]; then
    [ -n "${VELMORA_SIGN_PASSWORD_FILE:-}" ] || { echo "VELMORA_SIGN_PASSWORD_FILE is not set" >&2; exit 1; }
    osslsigncode sign -pkcs12 "$VELMORA_SIGN_PFX" -readpass "$VELMORA_SIGN_PASSWORD_FILE" \
        -h sha256 -n Velmora ${url:+-i "$url"} -in "$in" -out "$out" >/dev/null
    openssl pkcs12 -in "$VELMORA_SIGN_PFX" -passin "file:$VELMORA_SIGN_PASSWORD_FILE" -nokeys -clcerts |
        openssl x509 -outform DER -out "$cer"
else
    "$here/make-cert.sh" "$dir/dev-signer" "/CN=$maker"
    "$here/sign-with-key.sh" "$dir/dev-signer" "$in" "$out" ${url:+-i "$url"}
    cp "$dir/dev-signer.cer" "$cer"
fi
chmod +x "$out"
