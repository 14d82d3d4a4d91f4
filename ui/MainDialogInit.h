// Setting the main dialog up for the system version and the user's rights.
#pragma once

#include <windows.h>

namespace velmora {

// On WM_INITDIALOG: the texts loaded, the blocks switched on or off, the
// counters, balloons and signature panel added.
void InitMainDialog(HWND dialog);

}  // namespace velmora
