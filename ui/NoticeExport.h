// The system menu's two exports of the notice as the dialog shows it: a
// registry file and a security template, for the policy location that
// Group Policy writes.
#pragma once

#include <windows.h>

namespace velmora {

// A separator and the two items at the end of the dialog's system menu.
void AddExportMenu(HWND dialog);

// Carries out an export item of WM_SYSCOMMAND; false for every other
// command, which the system then handles.
bool ExportCommand(HWND dialog, WPARAM command);

}  // namespace velmora
