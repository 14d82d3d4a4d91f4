#include "ui/SystemMenu.h"

#include "app/Messages.h"

namespace velmora {

void AppendSystemMenuItem(HWND dialog, UINT command, UINT textId, UINT flags) {
    const HMENU menu = ::GetSystemMenu(dialog, FALSE);
    if (menu == nullptr) return;
    // Through the code page: the 9x family has no LoadStringW.
    char text[64] = {};
    LoadText(textId, text, sizeof text);
    ::AppendMenuA(menu, MF_STRING | flags, command, text);
}

}  // namespace velmora
