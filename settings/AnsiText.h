// Whether a stored text reads through the ANSI functions without loss.
#pragma once

#include <windows.h>

namespace velmora {

// False when the value `name` of `key` holds text (REG_SZ, REG_EXPAND_SZ or
// REG_MULTI_SZ) with characters that the ANSI code page cannot hold: read
// through the ANSI functions it comes back with "?" or a look-alike. True
// for every other value, a missing one and one that cannot be read.
bool ValueReadsAsAnsi(HKEY key, const char* name);

}  // namespace velmora
