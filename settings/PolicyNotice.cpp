#include "settings/PolicyNotice.h"

#include "app/AppState.h"
#include "registry/APIRegistry.h"
#include "settings/RegistryView.h"

namespace velmora {

bool PolicySetsLogonNotice() {
    // The 9x family has no policy location for these texts.
    if (OsVersion.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
    TAPIRegistry registry;
    PrepareLogonRegistry(registry, KEY_READ);
    try {
        registry.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System");
        for (const char* name : {"LegalNoticeCaption", "LegalNoticeText"})
            if (registry.ValueExists(name) && !registry.ReadString(name).empty()) return true;
    } catch (const APIRegistryException&) {
        // Missing or unreadable: nothing the user could act on here.
    }
    return false;
}

}  // namespace velmora
