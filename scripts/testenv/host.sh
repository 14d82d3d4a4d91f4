#!/usr/bin/env bash
# What this host runs, asked by every script that starts Wine.
#   host.sh kind          "native32" when the host executes i386 code itself,
#                         "no32" when it does not or only through an emulator,
#                         "broken32" when it executes i386 code itself but
#                         Wine's 32-bit loader does not start: a fault to
#                         repair, never a reason to emulate
#   host.sh reason        one line on how that was found out
#   host.sh emulator      the binfmt_misc entry that emulates i386 ELF files, if any
#   host.sh loader ARCH   the Wine loader for programs of ARCH (i686, x86_64)
#   host.sh shards        how many shards the end-to-end cases run in side by
#                         side: $VELMORA_E2E_SHARDS, or one more than the
#                         host has cores (the cases mostly wait), at least 2
# Sourced, it defines the same as functions (velmora_host_kind, ...).
#
# The answer is found out once per command: it is kept in VELMORA_HOST_KIND,
# which the scripts started later inherit.

wine_lib=/usr/lib/wine
binfmt=/proc/sys/fs/binfmt_misc
# An i386 ELF executable as binfmt_misc entries spell its magic.
i386_magic=7f454c4601010100000000000000000002000300

# velmora_mount_binfmt [AS_ROOT...]: mounts binfmt_misc when missing; without
# AS_ROOT (a command prefix such as sudo) only when running as root.
velmora_mount_binfmt() {
    [ -e "$binfmt/status" ] && return 0
    [ $# -gt 0 ] || [ "$(id -u)" -eq 0 ] || return 1
    "$@" mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null
}

# An enabled entry that hands i386 ELF files to an emulator: such a host
# starts 32-bit programs, but a minute or more each.
velmora_host_emulator() {
    velmora_mount_binfmt || return 1
    grep -qx enabled "$binfmt/status" 2>/dev/null || return 1
    local entry
    for entry in "$binfmt"/*; do
        case ${entry##*/} in register | status) continue ;; esac
        grep -qx enabled "$entry" 2>/dev/null || continue
        if grep -q "^magic $i386_magic" "$entry" 2>/dev/null; then
            echo "${entry##*/}"
            return 0
        fi
    done
    return 1
}

# velmora_register_emulator [AS_ROOT...]: registers qemu-i386-static for i386
# files in binfmt_misc (mounted there), writing through AS_ROOT when given.
# binfmt_misc's own format: name, magic type, offset, magic, mask,
# interpreter, flags. F opens the emulator now, so that it also serves
# other mount namespaces (the trusted runs).
velmora_register_emulator() {
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    if [ -e "$binfmt/qemu-i386" ]; then echo -1 | "$@" tee "$binfmt/qemu-i386" >/dev/null || return; fi
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | "$@" tee "$binfmt/register" >/dev/null
}

velmora_host_probe() {
    local emulator
    if emulator=$(velmora_host_emulator); then
        echo "no32 i386 programs run only emulated (binfmt_misc entry $emulator)"
    elif ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        echo "no32 the 32-bit loader /lib/ld-linux.so.2 does not start (no IA-32 emulation in the kernel, or libc6:i386 missing)"
    elif ! "$wine_lib/wine" --version >/dev/null 2>&1; then
        echo "broken32 i386 programs run natively, but Wine's 32-bit loader $wine_lib/wine does not start: repair wine32:i386"
    else
        echo "native32 i386 programs run natively"
    fi
}

velmora_host_kind() {
    if [ -z "${VELMORA_HOST_KIND:-}" ]; then
        local probe
        probe=$(velmora_host_probe)
        export VELMORA_HOST_KIND=${probe%% *} VELMORA_HOST_REASON=${probe#* }
    fi
    echo "$VELMORA_HOST_KIND"
}

velmora_host_reason() {
    velmora_host_kind >/dev/null
    echo "$VELMORA_HOST_REASON"
}

# 64-bit programs go straight to the 64-bit loader: the `wine` command tries
# the 32-bit one first, which does not start on every host.
velmora_wine_loader() {
    case $1 in
    x86_64) echo "$wine_lib/wine64" ;;
    i686) echo "$wine_lib/wine" ;;
    *) echo "unknown architecture $1" >&2; return 2 ;;
    esac
}

velmora_e2e_shards() {
    local count=${VELMORA_E2E_SHARDS:-}
    if [ -z "$count" ]; then
        count=$(($(nproc) + 1))
        [ "$count" -ge 2 ] || count=2
    fi
    case $count in
    '' | *[!0-9]* | 0) echo "VELMORA_E2E_SHARDS must be a number of at least 1, not '$count'" >&2; return 2 ;;
    esac
    echo "$count"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    case ${1:-} in
    kind) velmora_host_kind ;;
    reason) velmora_host_reason ;;
    emulator) velmora_host_emulator ;;
    loader) velmora_wine_loader "$2" ;;
    shards) velmora_e2e_shards ;;
    *) echo "usage: $0 kind|reason|emulator|loader ARCH|shards" >&2; exit 2 ;;
    esac
fi
