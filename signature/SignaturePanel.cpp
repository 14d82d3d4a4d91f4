#include "SignaturePanel.h"

namespace velmora {

// The signature check arrives later.
void BuildSignaturePanel(HWND) {}
void SignaturePanelClick(HWND) {}

}  // namespace velmora
