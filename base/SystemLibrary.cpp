#include "base/SystemLibrary.h"

namespace velmora {

namespace {

template <typename Fn>
Fn KernelExport(const char* exportName) {
    return ResolveExport<Fn>(::GetModuleHandleA("kernel32.dll"), exportName);
}

}  // namespace

bool SystemFilePath(const char* name, char* path, UINT capacity) {
    const UINT length = ::GetSystemDirectoryA(path, capacity);
    if (length == 0 || length + 1 + ::lstrlenA(name) >= capacity) return false;
    ::lstrcatA(path, "\\");
    ::lstrcatA(path, name);
    return true;
}

TImportSearch ImportSearchOfThisSystem() {
    return KernelExport<FARPROC>("SetDefaultDllDirectories") != nullptr
               ? TImportSearch::SystemFolderOnly
               : TImportSearch::LibraryFolderFirst;
}

TLibrary LoadSystemLibrary(const char* name, TImportSearch search) {
    char path[MAX_PATH + 1] = {};
    if (!SystemFilePath(name, path, sizeof path)) return {};
    // Older systems reject the search flags of the newer API.
    const DWORD flags = search == TImportSearch::SystemFolderOnly ? LOAD_LIBRARY_SEARCH_SYSTEM32
                                                                  : LOAD_WITH_ALTERED_SEARCH_PATH;
    return TLibrary(::LoadLibraryExA(path, nullptr, flags));
}

void LimitLibrarySearchToSystemFolder() {
    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryProc = BOOL(WINAPI*)(LPCSTR);
    if (const auto limit = KernelExport<SetDefaultDllDirectoriesProc>("SetDefaultDllDirectories"))
        limit(LOAD_LIBRARY_SEARCH_SYSTEM32);
    else if (const auto drop = KernelExport<SetDllDirectoryProc>("SetDllDirectoryA"))
        drop("");  // an empty folder takes the current one out of the search
}

}  // namespace velmora
