#include "Help.h"

namespace velmora {

// The help file arrives later.
void ShowHelp(HWND) {}

}  // namespace velmora
