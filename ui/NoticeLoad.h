// The system menu's "Aus Datei laden…": the notice from a registry file or a
// security template into the dialog, stored only by Save.
#pragma once

#include <windows.h>

namespace velmora {

// The item at the end of the dialog's system menu; greyed without rights,
// where the edits take no input.
void AddLoadMenu(HWND dialog);

// Carries out the item's WM_SYSCOMMAND; false for every other command.
bool LoadCommand(HWND dialog, WPARAM command);

}  // namespace velmora
