#include "DialogState.h"

namespace velmora {

TGdiObject LinkFont;
TWindow ElevationTip;
TWindow PolicyTip;
TWindow CounterTip;
TWindow SignatureTip;

void ReleaseDialogState() {
    LinkFont.reset();
    ElevationTip.reset();
    PolicyTip.reset();
    CounterTip.reset();
    SignatureTip.reset();
}

}  // namespace velmora
