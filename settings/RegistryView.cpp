#include "settings/RegistryView.h"

#include "base/SystemLibrary.h"

namespace velmora {

REGSAM LogonRegistryView() {
    // Bound at run time: kernel32 of older systems lacks it.
    const auto isWow64Process = ResolveExport<BOOL(WINAPI*)(HANDLE, PBOOL)>(
        ::GetModuleHandleA("kernel32.dll"), "IsWow64Process");
    BOOL wow64 = FALSE;
    if (isWow64Process == nullptr || !isWow64Process(::GetCurrentProcess(), &wow64)) return 0;
    return wow64 ? KEY_WOW64_64KEY : 0;
}

void PrepareLogonRegistry(TAPIRegistry& registry, REGSAM access) {
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.Access = access;
    registry.View = LogonRegistryView();
}

}  // namespace velmora
