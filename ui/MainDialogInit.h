// Setting the main dialog up for the system version and the user's rights.
#pragma once

#include <windows.h>

namespace velmora {

// On WM_INITDIALOG: the texts loaded, the blocks switched on or off, the
// counters, balloons and signature panel added.
void InitMainDialog(HWND dialog);

// Once the dialog is visible: the message about kept texts, then the
// policy's balloon opened by itself.
void ShowStartHints(HWND dialog);

}  // namespace velmora
