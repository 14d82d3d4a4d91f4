#include "SystemLibrary.h"

namespace velmora {

TLibrary LoadSystemLibrary(const char* name) {
    char path[MAX_PATH + 1] = {};
    const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + ::lstrlenA(name) >= sizeof path) return {};
    ::lstrcatA(path, "\\");
    ::lstrcatA(path, name);
    return TLibrary(::LoadLibraryA(path));
}

}  // namespace velmora
