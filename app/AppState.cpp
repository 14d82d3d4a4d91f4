#include "app/AppState.h"

namespace velmora {

OSVERSIONINFOA OsVersion = {};
bool IsAdmin = false;
bool OptionCert = false;
bool OptionNoCert = false;
TKernelHandle InstanceEvent;

bool IsLogonPromptSystem() {
    return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (OsVersion.dwMajorVersion == 4 || OsVersion.dwMajorVersion == 5);
}

bool IsShieldSystem() {
    return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT && OsVersion.dwMajorVersion > 5;
}

}  // namespace velmora

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the system expects");
