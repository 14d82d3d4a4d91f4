#!/usr/bin/env bash
# make-signature-inputs.sh OUT SMALL_EXE VELMORA_EXE: the files the signature
# tests read, signed the way the build signs the program, by a signer of the
# tests' own ("Velmora Software"), whatever certificate the build signs with.
#   OUT/certs/*.cer    certificates (DER), one in Base64, one empty, one of
#                      a TLS server issued with the signer's key
#   OUT/pe/*.exe       a small program signed, unsigned, changed after
#                      signing, with two or malformed table entries
#   OUT/velmora/signed/Velmora.exe        the program signed by that signer
#   OUT/velmora/two-entries/Velmora.exe   the same with two entries
#   OUT/velmora/changed/Velmora.exe       the same changed after signing
#   OUT/velmora/impostor/Velmora.exe      signed by impostor-ca, a CA that
#                                         bears the signer's name
set -euo pipefail
out=$1 small=$2 velmora=$3
here=$(cd "$(dirname "$0")" && pwd)
certs=$out/certs pe=$out/pe
mkdir -p "$certs" "$pe" "$out/velmora/signed" "$out/velmora/two-entries" "$out/velmora/changed" \
    "$out/velmora/impostor"

cert() { "$here/make-cert.sh" "$certs/$1" "${@:2}"; }
# Valid until 31.12.2040 23:30 UTC: already 2041 in a time zone east of UTC.
cert signer "/CN=Velmora Software" 20260101000000Z 20401231233000Z
cert other "/CN=Fremder Hersteller"
cert long "/CN=Velmora Software Abteilung für Zertifikate und Signaturen"
cert expired "/CN=Velmora Abgelaufen" 20200101000000Z 20200102000000Z
cert until2015 "/CN=Velmora Ablauf 2015" 20150101000000Z 20151231233000Z
cert prefix "/CN=Velmora"
cert noname "/"
cert lowercase "/CN=velmora software"
# The signer's name with another key, and a name that contains it.
cert twin "/CN=Velmora Software"
cert contains "/CN=Velmora Software Test"
cp "$certs/signer.pem" "$certs/signer-base64.cer"
# Whoever can write the program's folder could lay this beside it: a CA of
# his own under the signer's name.
if [ ! -f "$certs/impostor-ca.cer" ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Velmora Software" -days 3650 \
        -addext "basicConstraints=critical,CA:TRUE" \
        -addext "keyUsage=critical,keyCertSign,cRLSign,digitalSignature" \
        -keyout "$certs/impostor-ca.key" -out "$certs/impostor-ca.pem" 2>/dev/null
    openssl x509 -in "$certs/impostor-ca.pem" -outform DER -out "$certs/impostor-ca.cer"
fi

# A TLS server's certificate issued with the signer's key, as someone who
# got hold of that key could make one: the signer is no CA, so a chain
# through it is never in order, however much the signer is trusted.
if [ ! "$certs/server.cer" -nt "$certs/signer.pem" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    openssl req -new -newkey rsa:2048 -nodes -subj "/CN=www.velmora.example" \
        -keyout "$work/server.key" -out "$work/server.req" 2>/dev/null
    cat >"$work/server.cnf" <<'CNF'
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:www.velmora.example
authorityKeyIdentifier = keyid
CNF
    openssl x509 -req -in "$work/server.req" -CA "$certs/signer.pem" -CAkey "$certs/signer.key" \
        -set_serial "0x$(openssl rand -hex 8)" -days 3650 -extfile "$work/server.cnf" \
        -outform DER -out "$certs/server.cer" 2>/dev/null
fi
: >"$certs/empty.cer"

sign() { "$here/sign-with-key.sh" "$@"; }  # sign KEY_STEM IN OUT
sign "$certs/signer" "$small" "$pe/signed.exe"
cp "$small" "$pe/unsigned.exe"
sign "$certs/long" "$small" "$pe/long-signer.exe"
sign "$certs/until2015" "$small" "$pe/until2015.exe"
pecert() { python3 "$here/pe-certificates.py" "$@"; }
pecert flip-code "$pe/signed.exe" "$pe/changed.exe"
pecert two-entries "$pe/signed.exe" "$pe/two-entries.exe"
pecert entry-length "$pe/signed.exe" "$pe/short-entry.exe" 4
pecert entry-length "$pe/signed.exe" "$pe/overlong-entry.exe" 0x7FFFFFF0

sign "$certs/signer" "$velmora" "$out/velmora/signed/Velmora.exe"
pecert two-entries "$out/velmora/signed/Velmora.exe" "$out/velmora/two-entries/Velmora.exe"
pecert flip-stub "$out/velmora/signed/Velmora.exe" "$out/velmora/changed/Velmora.exe"
sign "$certs/impostor-ca" "$velmora" "$out/velmora/impostor/Velmora.exe"
