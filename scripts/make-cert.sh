#!/usr/bin/env bash
# make-cert.sh OUT_STEM CN [DAYS]: a self-signed code-signing certificate with
# its key, as OUT_STEM.key, OUT_STEM.pem (PEM) and OUT_STEM.cer (DER). Made
# once; an existing certificate is kept. A negative DAYS makes a certificate
# whose one day of validity ended that many days ago.
set -euo pipefail
stem=$1 cn=$2 days=${3:-3650}
[ -f "$stem.cer" ] && exit 0
mkdir -p "$(dirname "$stem")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/openssl.cnf" <<CNF
[req]
distinguished_name = dn
[dn]
[ext]
keyUsage = critical, digitalSignature, keyCertSign
extendedKeyUsage = codeSigning
basicConstraints = critical, CA:TRUE
subjectKeyIdentifier = hash
[ca]
default_ca = own
[own]
database = $work/index.txt
new_certs_dir = $work
serial = $work/serial
default_md = sha256
policy = any
copy_extensions = none
[any]
commonName = supplied
CNF
openssl req -new -newkey rsa:2048 -nodes -config "$work/openssl.cnf" -subj "/CN=$cn" \
    -keyout "$stem.key" -out "$work/req.pem" 2>/dev/null
: >"$work/index.txt"
openssl rand -hex 8 >"$work/serial"
if [ "$days" -lt 0 ]; then
    dates=(-startdate "$(date -u -d "$((1 - days)) days ago" +%Y%m%d%H%M%SZ)"
           -enddate "$(date -u -d "$((-days)) days ago" +%Y%m%d%H%M%SZ)")
else
    dates=(-days "$days")
fi
openssl ca -batch -notext -selfsign -config "$work/openssl.cnf" -extensions ext \
    -keyfile "$stem.key" -in "$work/req.pem" -out "$stem.pem" "${dates[@]}" 2>/dev/null
openssl x509 -in "$stem.pem" -outform DER -out "$stem.cer"
