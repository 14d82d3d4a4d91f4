// Whether the process holds usable administrative rights.
#pragma once

#include <windows.h>

namespace velmora {

// True when the thread's token (else the process token) lists S-1-5-32-rid;
// for the Administrators alias (544) the entry must not be deny-only.
bool IsBuiltinAliasMember(DWORD rid);

bool IsAdministrator();

}  // namespace velmora
