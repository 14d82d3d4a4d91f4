// The "Digitale Signatur" icon with its balloon.
#pragma once

#include <windows.h>

namespace velmora {

// Checks the program's signature and its signer's root certificate and
// shows the outcome; true when everything is in order.
bool BuildSignaturePanel(HWND dialog);

// Installs the companion certificate file and builds the panel again.
void SignaturePanelClick(HWND dialog);

}  // namespace velmora
