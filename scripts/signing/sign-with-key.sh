#!/usr/bin/env bash
# sign-with-key.sh STEM IN OUT: signs IN with Authenticode into OUT with the
# certificate STEM.pem and its key STEM.key (as make-cert.sh beside it makes
# them).
set -euo pipefail
stem=$1 in=$2 out=$3
shift 3
rm -f "$out"
osslsigncode sign -h sha256 -certs "$stem.pem" -key "$stem.key" -n Velmora "$@" -in "$in" -out "$out" >/dev/null
