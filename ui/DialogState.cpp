#include "ui/DialogState.h"

namespace velmora {

TGdiObject LinkFont;
TWindow ElevationTip;
TWindow PolicyTip;
TWindow OpenedTip;
THook OpenedTipHook;
TWindow CounterTip;
TWindow SignatureTip;
TOOLINFOA CounterToolInfo = {};
TIcon ExtractedIcon;

void ReleaseDialogState() {
    LinkFont.reset();
    ElevationTip.reset();
    PolicyTip.reset();
    OpenedTipHook.reset();
    OpenedTip.reset();
    CounterTip.reset();
    CounterToolInfo = {};
    SignatureTip.reset();
    ExtractedIcon.reset();
}

}  // namespace velmora
