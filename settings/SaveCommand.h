// The Save button: store with rights, else restart elevated.
#pragma once

#include <windows.h>

namespace velmora {

void SaveCommand(HWND dialog);

}  // namespace velmora
