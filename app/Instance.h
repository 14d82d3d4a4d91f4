// The named event that marks the running instance.
#pragma once

#include <windows.h>

namespace velmora {

// Creates the marker event into InstanceEvent; the last-error value right
// after the call tells whether it existed already (ERROR_ALREADY_EXISTS).
bool CreateInstanceMarker();

// Restores and raises the window of the running instance; reports the
// last-error value when no window of the program's title exists.
void ActivateRunningInstance();

}  // namespace velmora
