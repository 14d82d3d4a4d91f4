// The notice block's texts as the dialog holds them, in UTF-16.
#pragma once

#include <windows.h>

#include "base/WideText.h"

namespace velmora {

// The text of edit `id` as the logon would get it once saved: a value that
// the edit shows only as look-alikes as it is stored, as long as the user
// has left it alone; otherwise what the edit holds.
TWideText NoticeText(HWND dialog, int id);

}  // namespace velmora
