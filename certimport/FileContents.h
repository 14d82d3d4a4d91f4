// Reading a whole file into memory.
#pragma once

#include <windows.h>

#include "Handles.h"

namespace kestrel {

// The contents of `file` from its start, all of it or nothing: empty when
// the size cannot be read, is 4 GiB or more, does not fit into memory, or
// the read delivers less.
velmora::THeapBuffer ReadWholeFile(HANDLE file);

}  // namespace kestrel
