// Handles the dialog creates and releases when it is destroyed.
#pragma once

#include "Handles.h"

namespace velmora {

extern TGdiObject LinkFont;
extern TWindow ElevationTip;
extern TWindow PolicyTip;
extern TWindow CounterTip;
extern TWindow SignatureTip;

// In this order: the link font, then the tooltips.
void ReleaseDialogState();

}  // namespace velmora
