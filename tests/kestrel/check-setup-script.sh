#!/usr/bin/env bash
# check-setup-script.sh MAKENSIS SCRIPT: the setup program runs elevated, so
# every System plug-in call of SCRIPT, its own and those of the NSIS headers
# it draws in, names its library by full path ($SYSDIR, $PLUGINSDIR) or
# handles memory only ("*"). The headers' calls into kernel32, user32 and
# gdi32 stay: the setup program imports those itself, so they are loaded
# before any call, and Windows takes them from its known DLLs.
set -euo pipefail
calls=$("$1" -INPUTCHARSET UTF8 -DTARGET=x86-unicode -PPO "$2" | grep -iE '^\s*System::Call\b')
bad=$(grep -viE "System::Call\s+['\"\`]?(\\\$SYSDIR\\\\|\\\$PLUGINSDIR\\\\|\*|(kernel32|user32|gdi32)::)" \
      <<<"$calls" || true)
[ -z "$bad" ] || { echo "libraries by plain name:"; echo "$bad"; exit 1; }
echo "$(wc -l <<<"$calls") System::Call lines, each by full path"
