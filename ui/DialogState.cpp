#include "DialogState.h"

namespace velmora {

TGdiObject LinkFont;
TWindow ElevationTip;
TWindow CounterTip;
TWindow SignatureTip;

void ReleaseDialogState() {
    LinkFont.reset();
    ElevationTip.reset();
    CounterTip.reset();
    SignatureTip.reset();
}

}  // namespace velmora
