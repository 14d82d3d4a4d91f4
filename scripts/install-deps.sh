#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and the tests need and
# is not there yet. Safe to run again: it installs nothing that is present.
# On a host that runs no 32-bit code it also installs qemu-user-static and
# registers it for i386 programs, for the smoke test of the 32-bit
# deliverables; never on a host that runs them natively, where it would
# slow every 32-bit start down.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake make
  g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 wine32:i386 fonts-wine
  xvfb x11-apps x11-utils netpbm
  googletest
  fp-utils osslsigncode openssl nsis
  python3
)

. "$here/apt-install.sh"

velmora_apt_install "${packages[@]}"

# One end-to-end entry runs Wine in German, which takes a generated locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  velmora_apt_install locales
  echo "generating the locale de_DE.UTF-8"
  grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen
fi

# Asked only now: the probe starts the 32-bit loaders installed above.
. "$here/testenv/host.sh"
case $(velmora_host_kind) in
broken32)
  # An emulator would hide the fault and slow every 32-bit start.
  echo "this host runs 32-bit code, but $(velmora_host_reason)" >&2
  exit 1 ;;
no32)
  if ! velmora_host_emulator >/dev/null; then
    echo "this host runs no 32-bit code ($(velmora_host_reason)): registering an emulator for i386 programs"
    velmora_apt_install qemu-user-static
    # Through the same helper as the packages: sudo does what root does.
    if velmora_mount_binfmt as_root && velmora_register_emulator as_root; then :; else
      echo "could not mount binfmt_misc or register qemu-i386-static there: the 32-bit deliverables will not be run" >&2
    fi
  fi ;;
esac
