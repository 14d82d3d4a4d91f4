// Which registry view holds the values the logon itself reads.
#pragma once

#include <windows.h>

#include "registry/APIRegistry.h"

namespace velmora {

// KEY_WOW64_64KEY when this 32-bit process runs on 64-bit Windows, where
// HKLM\Software would otherwise be redirected to the Wow6432Node copy that
// the logon never reads; 0 elsewhere, where older systems reject the flag.
REGSAM LogonRegistryView();

// `registry` set to HKEY_LOCAL_MACHINE in the logon's view, for `access`.
void PrepareLogonRegistry(TAPIRegistry& registry, REGSAM access);

}  // namespace velmora
