# Sourced by install-deps.sh: velmora_apt_install PACKAGE... installs the
# packages that are missing. A mirror in the middle of a sync serves an index
# that does not match its release file, and `apt-get update` fails on it for
# hours or days; the packages can still be installed correctly from the
# release and its updates alone, which the security suite only overlays (an
# i386 library taken from the release must not meet its amd64 twin taken
# from the security suite). That second way uses a source list and package
# lists of its own and leaves the machine's apt configuration as it is.
# Seams for the test of these decisions: VELMORA_APT_GET and
# VELMORA_DPKG_QUERY name the commands, VELMORA_APT_PAUSE the seconds before
# the one retry, VELMORA_APT_ROOT the root under which etc/ is read.

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
apt_get() { as_root env DEBIAN_FRONTEND=noninteractive "${VELMORA_APT_GET:-apt-get}" "$@"; }
installed() { "${VELMORA_DPKG_QUERY:-dpkg-query}" -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# The apt options of the way chosen: empty for the machine's own lists.
apt_options=()
# How far the lists are: "" not updated yet, "own" the machine's, "base" ours.
apt_lists=

# apt_update_logged LOG: apt-get update with the options chosen, its output
# shown and kept; fails as apt does, also where only one index failed.
apt_update_logged() {
    apt_get "${apt_options[@]}" update -q 2>&1 | tee "$1"
    return "${PIPESTATUS[0]}"
}

# The release's own entry in the machine's sources: its address, components
# and key, one a line.
release_source() {
    local root=${VELMORA_APT_ROOT:-} codename
    codename=$(. "$root/etc/os-release" && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || return 1
    echo "$codename"
    cat "$root"/etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v codename="$codename" '
        BEGIN { RS = "" }
        { uri = ""; suites = ""; comp = "main"; key = ""
          n = split($0, line, "\n")
          for (i = 1; i <= n; i++) {
              if (sub(/^URIs:[ \t]*/, "", line[i])) { split(line[i], u, " "); uri = u[1] }
              else if (sub(/^Suites:/, "", line[i])) suites = line[i] " "
              else if (sub(/^Components:[ \t]*/, "", line[i])) comp = line[i]
              else if (sub(/^Signed-By:[ \t]*/, "", line[i])) key = line[i]
          }
          if (uri != "" && index(suites, " " codename " ")) { print uri; print comp; print key; exit } }'
}

# Lists of our own from the release and its updates alone, in $apt_base.
use_release_alone() {
    local source uri components key codename
    source=$(release_source) || return 1
    { read -r codename; read -r uri; read -r components; read -r key; } <<<"$source"
    [ -n "$uri" ] || return 1
    apt_base=$(mktemp -d)
    chmod 755 "$apt_base"
    trap 'rm -rf "$apt_base"' EXIT
    mkdir -p "$apt_base/lists/partial"
    printf 'Types: deb\nURIs: %s\nSuites: %s %s-updates\nComponents: %s\nSigned-By: %s\n' \
        "$uri" "$codename" "$codename" "$components" "${key:-/usr/share/keyrings/debian-archive-keyring.gpg}" \
        >"$apt_base/base.sources"
    apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_base"
                 -o "Dir::State::Lists=$apt_base/lists")
    echo "installing from $codename and $codename-updates alone, with package lists of our own in $apt_base"
}

# Updated lists, the machine's or, after two failures, our own.
update_lists() {
    [ -n "$apt_lists" ] && return 0
    local log attempt
    log=$(mktemp)
    for attempt in 1 2; do
        if apt_update_logged "$log"; then apt_lists=own; rm -f "$log"; return 0; fi
        echo "apt-get update failed (attempt $attempt): $(grep -m1 '^E: ' "$log" || tail -n 1 "$log")"
        [ $attempt -eq 2 ] || sleep "${VELMORA_APT_PAUSE:-20}"
    done
    rm -f "$log"
    use_release_alone && apt_update_logged /dev/null && apt_lists=base
}

velmora_apt_install() {
    local missing=() p
    for p in "$@"; do installed "$p" || missing+=("$p"); done
    [ ${#missing[@]} -eq 0 ] && return 0
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        apt_lists=
    fi
    echo "installing: ${missing[*]}"
    if update_lists && apt_get "${apt_options[@]}" install -y -q --no-install-recommends "${missing[@]}"; then
        return 0
    fi
    echo "could not install these packages: ${missing[*]}" >&2
    return 1
}
