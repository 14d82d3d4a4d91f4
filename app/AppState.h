// Process-wide state, filled once before the dialog starts and read on the
// one user-interface thread afterwards.
#pragma once

#include <windows.h>

#include "base/Handles.h"

namespace velmora {

extern OSVERSIONINFOA OsVersion;
extern bool IsAdmin;
extern bool OptionCert;
extern bool OptionNoCert;
// Its existence marks the running instance; the Save command closes it
// before an elevated restart and re-creates it when that fails.
extern TKernelHandle InstanceEvent;

inline constexpr const char* InstanceEventName = "Velmora V2";

// NT 4 and 5 show the prompt inside their logon dialog.
bool IsLogonPromptSystem();
// NT 6 and later put a shield on buttons that need elevation.
bool IsShieldSystem();

}  // namespace velmora
