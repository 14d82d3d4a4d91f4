// The token of a standard user, made from this process's own.
#pragma once

#include <windows.h>

namespace uidriver {

// A primary copy of this process's token with Administrators deny-only, as
// a standard user's token looks; null on failure. The caller closes it.
HANDLE DenyOnlyAdministratorsToken();

}  // namespace uidriver
