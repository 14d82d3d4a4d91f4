// What the main dialog does for each message it handles.
#pragma once

#include <windows.h>

namespace velmora {

void ToggleCheckBox(HWND dialog, int id);
void OpenMakerPage(HWND dialog);
INT_PTR ColorLink(HWND dialog, HDC dc, HWND control);

}  // namespace velmora
