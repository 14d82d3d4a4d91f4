#include "base/SystemLibrary.h"

namespace velmora {

bool SystemFilePath(const char* name, char* path, UINT capacity) {
    const UINT length = ::GetSystemDirectoryA(path, capacity);
    if (length == 0 || length + 1 + ::lstrlenA(name) >= capacity) return false;
    ::lstrcatA(path, "\\");
    ::lstrcatA(path, name);
    return true;
}

TLibrary LoadSystemLibrary(const char* name) {
    char path[MAX_PATH + 1] = {};
    if (!SystemFilePath(name, path, sizeof path)) return {};
    return TLibrary(::LoadLibraryA(path));
}

void LimitLibrarySearchToSystemFolder() {
    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    const auto limit = ResolveExport<SetDefaultDllDirectoriesProc>(
        ::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (limit != nullptr) limit(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace velmora
