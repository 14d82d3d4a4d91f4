// The "Digitale Signatur" icon with its balloon.
#pragma once

#include <windows.h>

namespace velmora {

// Checks the program's signature and its signer's root certificate and
// shows the outcome; true when everything is in order. In the problem state
// the system menu carries an item that installs as the icon's click does.
bool BuildSignaturePanel(HWND dialog);

// Installs the companion certificate file and builds the panel again.
void SignaturePanelClick(HWND dialog);

// Carries out the system menu's install item of WM_SYSCOMMAND; false for
// every other command.
bool SignatureMenuCommand(HWND dialog, WPARAM command);

}  // namespace velmora
