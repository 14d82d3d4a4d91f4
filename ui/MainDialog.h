// The main dialog's procedure and the helpers other modules use on it.
#pragma once

#include <windows.h>

namespace velmora {

// Posted once the dialog has been shown: what should appear over it.
constexpr UINT WM_MAINDIALOG_SHOWN = WM_APP + 1;

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void SetEditReadOnly(HWND edit);
bool IsCheckBoxChecked(HWND dialog, int id);

}  // namespace velmora
