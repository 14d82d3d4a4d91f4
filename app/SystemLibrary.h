// Loading a library of the operating system by its full path.
#pragma once

#include "Handles.h"

namespace velmora {

// The program may run elevated: a library is taken from the system folder
// by full path, never a file of that name beside the program or in the
// current folder. Empty when it cannot be loaded.
TLibrary LoadSystemLibrary(const char* name);

}  // namespace velmora
