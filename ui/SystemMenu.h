// Velmora's own items at the end of the dialog's system menu.
#pragma once

#include <windows.h>

namespace velmora {

// Appends the item `command` with the string `textId` to the system menu of
// `dialog`; `flags` beside MF_STRING, such as MF_GRAYED. Nothing where the
// window has no system menu.
void AppendSystemMenuItem(HWND dialog, UINT command, UINT textId, UINT flags = 0);

}  // namespace velmora
