#include "ModulePath.h"

#include "Messages.h"

namespace velmora {

bool CompanionFilePath(const char* extension, THeapBuffer& companion) {
    char path[ModulePathCapacity] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length < 3) return false;
    companion = THeapBuffer(length + 1);
    if (!companion) return false;
    ::lstrcpynA(companion.chars(), path, static_cast<int>(length - 3) + 1);
    AppendBounded(companion.chars(), static_cast<int>(length + 1), extension);
    return true;
}

}  // namespace velmora
