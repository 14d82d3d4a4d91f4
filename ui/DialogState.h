// Everything the main dialog creates and releases when it is destroyed.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "base/Handles.h"

namespace velmora {

extern TGdiObject LinkFont;
extern TWindow ElevationTip;
extern TWindow PolicyTip;
// The policy's balloon opened by itself at start, and the filter that
// closes it at the first input.
extern TWindow OpenedTip;
extern THook OpenedTipHook;
extern TWindow CounterTip;
extern TWindow SignatureTip;
// The one tool record of the counter tooltip, reused for every edit.
extern TOOLINFOA CounterToolInfo;
// The icon taken from cryptui.dll for the signature panel; the system icons
// of its fallback are shared and never destroyed.
extern TIcon ExtractedIcon;

// In this order: the link font, then the tooltips, then the icon that the
// panel's control showed.
void ReleaseDialogState();

}  // namespace velmora
