#include "settings/RegistryView.h"

namespace velmora {

REGSAM LogonRegistryView() {
    // Bound at run time: kernel32 of older systems lacks it.
    using IsWow64ProcessProc = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessProc>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    if (isWow64Process == nullptr || !isWow64Process(::GetCurrentProcess(), &wow64)) return 0;
    return wow64 ? KEY_WOW64_64KEY : 0;
}

}  // namespace velmora
