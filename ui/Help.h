// Opening the program's help file at the dialog's topic.
#pragma once

#include <windows.h>

namespace velmora {

void ShowHelp(HWND dialog);

}  // namespace velmora
