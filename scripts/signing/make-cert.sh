#!/usr/bin/env bash
# make-cert.sh STEM SUBJECT [DAYS | NOT_BEFORE NOT_AFTER]: a self-signed
# code-signing certificate with its key, as STEM.key, STEM.pem (Base64) and
# STEM.cer (DER). SUBJECT is in openssl's form ("/CN=Name"; "/" for none).
# Dates are given as YYYYMMDDHHMMSSZ (UTC). An existing certificate is kept.
#
# Users install this certificate as a trusted root. It is therefore an end
# entity (CA:FALSE, no keyCertSign): its key can sign programs, but nothing
# it signs as a certificate ever chains to a trusted root.
set -euo pipefail
stem=$1 subject=$2
if [ -f "$stem.cer" ] && [ -f "$stem.pem" ] && [ -f "$stem.key" ]; then
    # One made as a CA by an earlier version of this script is made anew.
    openssl x509 -in "$stem.pem" -noout -ext basicConstraints 2>/dev/null | grep -q 'CA:TRUE' || exit 0
fi
mkdir -p "$(dirname "$stem")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/openssl.cnf" <<CNF
[req]
distinguished_name = dn
[dn]
[ext]
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
basicConstraints = critical, CA:FALSE
subjectKeyIdentifier = hash
[ca]
default_ca = own
[own]
database = $work/index.txt
new_certs_dir = $work
serial = $work/serial
default_md = sha256
policy = any
unique_subject = no
[any]
commonName = optional
CNF
openssl req -utf8 -new -newkey rsa:2048 -nodes -config "$work/openssl.cnf" -subj "$subject" \
    -keyout "$stem.key" -out "$work/req.pem" 2>/dev/null
: >"$work/index.txt"
openssl rand -hex 8 >"$work/serial"
if [ $# -ge 4 ]; then
    dates=(-startdate "$3" -enddate "$4")
else
    dates=(-days "${3:-3650}")
fi
# openssl ca takes explicit validity dates, which openssl req of this
# version cannot.
openssl ca -utf8 -batch -notext -selfsign -preserveDN -config "$work/openssl.cnf" -extensions ext \
    -keyfile "$stem.key" -in "$work/req.pem" -out "$stem.pem" "${dates[@]}" 2>/dev/null
openssl x509 -in "$stem.pem" -outform DER -out "$stem.cer"
