#!/usr/bin/env bash
# The installer's decisions against a stand-in apt-get whose update fails
# FAILS times on the machine's lists, never on lists of the installer's own.
set -uo pipefail
lib=$(cd "$(dirname "$0")/../../scripts" && pwd)/apt-install.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/etc/apt/sources.list.d"
echo VERSION_CODENAME=bookworm >"$work/etc/os-release"
printf 'Types: deb\nURIs: http://mirror.example/debian-security\nSuites: bookworm-security\n\nTypes: deb\nURIs: http://mirror.example/debian\nSuites: bookworm bookworm-updates\nComponents: main\n' \
    >"$work/etc/apt/sources.list.d/debian.sources"
cat >"$work/apt-get" <<'EOF'
#!/bin/bash
echo "$*" >>"$WORK/calls"
for a; do case $a in Dir::Etc::SourceParts=*) parts=${a#*=} ;; esac; done
case " $* " in
*" update "*) if [ -n "${parts:-}" ]; then grep Suites "$parts/base.sources" >>"$WORK/calls"
    elif [ "$(grep -c '^update' "$WORK/calls")" -le "$FAILS" ]; then
        echo "E: Failed to fetch bookworm-security/main/binary-i386/Packages.xz  Mirror sync in progress?"; exit 100; fi ;;
esac
EOF
printf '#!/bin/sh\n[ "$3" = present ] && echo "install ok installed"\n' >"$work/dpkg-query"
chmod +x "$work/apt-get" "$work/dpkg-query"
export WORK=$work VELMORA_APT_GET=$work/apt-get VELMORA_DPKG_QUERY=$work/dpkg-query VELMORA_APT_PAUSE=0 VELMORA_APT_ROOT=$work

status=0
# case FAILS EXPECTED-CALLS PACKAGE...: the calls apt-get saw, one a line, options left out.
case_() {
    local fails=$1 expected=$2; shift 2
    rm -f "$work/calls"; touch "$work/calls"
    ( . "$lib"; as_root() { "$@"; }; FAILS=$fails velmora_apt_install "$@" ) >"$work/out" 2>&1
    local seen
    seen=$(sed -e 's/-o [^ ]* //g; s/ -y -q --no-install-recommends//' "$work/calls")
    if [ "$seen" != "$expected" ]; then
        status=1; printf 'FAILS=%s %s:\nexpected:\n%s\nseen:\n%s\noutput:\n%s\n' "$fails" "$*" "$expected" "$seen" "$(cat "$work/out")"
    fi
}
case_ 0 "" present
case_ 0 $'update -q\ninstall a' present a
case_ 1 $'update -q\nupdate -q\ninstall a' a
case_ 9 $'update -q\nupdate -q\nupdate -q\nSuites: bookworm bookworm-updates\ninstall a' a present
grep -q 'could not install' "$work/out" && { echo "a fallback that worked was reported as failed"; status=1; }
[ $status -eq 0 ] && echo "apt-install: all cases passed"
exit $status
