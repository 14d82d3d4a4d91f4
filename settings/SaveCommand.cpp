#include "SaveCommand.h"

namespace velmora {

// Storing arrives with the registry wrapper.
void SaveCommand(HWND) {}

}  // namespace velmora
