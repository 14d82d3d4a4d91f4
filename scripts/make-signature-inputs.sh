#!/usr/bin/env bash
# make-signature-inputs.sh OUT SIGNING_DIR SMALL_EXE VELMORA_EXE: the files
# the signature tests read, made the way the build signs the program.
#   OUT/certs/*.cer    certificates (DER), one in Base64, one empty
#   OUT/pe/*.exe       a small program signed, unsigned, changed after
#                      signing, with two or malformed table entries
#   OUT/velmora/two-entries/Velmora.exe   the program with two entries
set -euo pipefail
out=$1 signing=$2 small=$3 velmora=$4
here=$(cd "$(dirname "$0")" && pwd)
certs=$out/certs pe=$out/pe
mkdir -p "$certs" "$pe" "$out/velmora/two-entries"

cert() { "$here/make-cert.sh" "$certs/$1" "${@:2}"; }
cert other "/CN=Fremder Hersteller"
cert long "/CN=Velmora Software Abteilung für Zertifikate und Signaturen"
cert expired "/CN=Velmora Abgelaufen" 20200101000000Z 20200102000000Z
cert until2015 "/CN=Velmora Ablauf 2015" 20150101000000Z 20151231233000Z
cert prefix "/CN=Velmora"
cert noname "/"
cp "$signing/dev-signer.cer" "$certs/signer.cer"
cp "$signing/dev-signer.pem" "$certs/signer-base64.cer"
: >"$certs/empty.cer"

sign() {  # sign KEY_STEM IN OUT
    rm -f "$3"
    osslsigncode sign -h sha256 -certs "$1.pem" -key "$1.key" -n Velmora -in "$2" -out "$3" >/dev/null
}
sign "$signing/dev-signer" "$small" "$pe/signed.exe"
cp "$small" "$pe/unsigned.exe"
sign "$certs/long" "$small" "$pe/long-signer.exe"
sign "$certs/until2015" "$small" "$pe/until2015.exe"
pecert() { python3 "$here/pe-certificates.py" "$@"; }
pecert flip-code "$pe/signed.exe" "$pe/changed.exe"
pecert two-entries "$pe/signed.exe" "$pe/two-entries.exe"
pecert entry-length "$pe/signed.exe" "$pe/short-entry.exe" 4
pecert entry-length "$pe/signed.exe" "$pe/overlong-entry.exe" 0x7FFFFFF0

sign "$signing/dev-signer" "$velmora" "$out/velmora/two-entries/Velmora.exe.signed"
pecert two-entries "$out/velmora/two-entries/Velmora.exe.signed" "$out/velmora/two-entries/Velmora.exe"
rm -f "$out/velmora/two-entries/Velmora.exe.signed"
