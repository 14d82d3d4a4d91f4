// The three Winlogon values in the dialog's edits.
#pragma once

#include <windows.h>

namespace velmora {

// Fills the edits from the stored values; failures are reported here.
void LoadLogonNotice(HWND dialog);

}  // namespace velmora
