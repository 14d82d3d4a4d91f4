// Reading a whole file into memory.
#pragma once

#include <windows.h>

#include "base/Handles.h"

namespace velmora {

// The contents of `file` from its start, all of it or nothing: empty when
// the size cannot be read, is 4 GiB or more (ERROR_FILE_TOO_LARGE), does not
// fit into memory (ERROR_NOT_ENOUGH_MEMORY) or the read delivers less
// (ERROR_HANDLE_EOF); otherwise the last-error value of the failing call.
THeapBuffer ReadWholeFile(HANDLE file);

}  // namespace velmora
