// The system menu's "Vorschau…": the notice block's texts as each Windows
// family shows them at logon, and what each system cuts. Stores nothing.
#pragma once

#include <windows.h>

namespace velmora {

// The item at the end of the dialog's system menu; with and without rights.
void AddPreviewMenu(HWND dialog);

// Carries out the item's WM_SYSCOMMAND; false for every other command.
bool PreviewCommand(HWND dialog, WPARAM command);

}  // namespace velmora
