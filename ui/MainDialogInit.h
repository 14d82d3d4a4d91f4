// Setting the main dialog up for the system version and the user's rights.
#pragma once

#include <windows.h>

namespace velmora {

// On WM_INITDIALOG: the texts loaded, the blocks switched on or off, the
// counters, balloons and signature panel added.
void InitMainDialog(HWND dialog);

// The notice block's check box and edits from its two texts: on only when
// both are there, off otherwise, since a reload or a loaded file finds the
// block as the user left it.
void DeriveNoticeBlock(HWND dialog);

// The stored values into the dialog, as at its start, over whatever the user
// typed: the texts, the blocks' check boxes, the counters.
void ReloadLogonNotice(HWND dialog);

// Once the dialog is visible: the message about kept texts, then the
// policy's balloon opened by itself.
void ShowStartHints(HWND dialog);

}  // namespace velmora
