// The "Digitale Signatur" icon with its balloon.
#pragma once

#include <windows.h>

namespace velmora {

void BuildSignaturePanel(HWND dialog);
void SignaturePanelClick(HWND dialog);

}  // namespace velmora
