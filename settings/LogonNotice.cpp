#include "LogonNotice.h"

namespace velmora {

// Reading the stored values arrives with the registry wrapper.
void LoadLogonNotice(HWND) {}

}  // namespace velmora
