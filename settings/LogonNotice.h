// The three Winlogon values in the dialog's edits.
#pragma once

#include <windows.h>

namespace velmora {

// Fills edits 1013, 1014 and, on NT 4 and 5, 1022 from the stored values;
// a registry failure is reported here and the dialog opens all the same.
void LoadLogonNotice(HWND dialog);

// Writes each block that is checked and filled, deletes the values of the
// others. False when a registry failure was reported.
bool StoreLogonNotice(HWND dialog);

}  // namespace velmora
