#!/usr/bin/env bash
# no32-host.sh [--no-emulator] COMMAND...: runs COMMAND as on a host that runs
# no 32-bit code, on a host that does (root needed). COMMAND runs in a
# private user and mount namespace with a binfmt_misc of its own, so nothing
# outside changes:
#   default        qemu-i386-static is registered there for i386 files: every
#                  32-bit program runs emulated, as after install-deps.sh on
#                  such a host
#   --no-emulator  the 32-bit loaders are covered by a file that fails to
#                  execute, and that binfmt_misc is read-only: nothing can
#                  be registered
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
emulator=1
if [ "${1:-}" = --no-emulator ]; then emulator=; fi

if [ "${VELMORA_NO32_INSIDE:-}" != 1 ]; then
    exec unshare --user --map-root-user --mount env VELMORA_NO32_INSIDE=1 "$0" "$@"
fi
[ -n "$emulator" ] || shift

mount --make-rprivate /
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
if [ -n "$emulator" ]; then
    [ -x /usr/bin/qemu-i386-static ] || { echo "qemu-user-static is not installed" >&2; exit 1; }
    . "$here/host.sh"
    velmora_register_emulator
else
    # An ELF file for no machine the kernel knows: execve gives ENOEXEC.
    broken=$(mktemp /tmp/velmora-no32-XXXXXX)
    trap 'rm -f "$broken"' EXIT
    head -c 64 /lib/ld-linux.so.2 >"$broken"
    printf '\xff\xff' | dd of="$broken" bs=1 seek=18 conv=notrunc status=none
    chmod +x "$broken"
    mount --bind "$broken" /lib/ld-linux.so.2
    mount --bind "$broken" /usr/lib/wine/wine
    mount -o remount,ro /proc/sys/fs/binfmt_misc
fi
echo "as a host without 32-bit code: $("$here/host.sh" reason)"
"$@"
