#include "base/ModulePath.h"

namespace velmora {

DWORD ProgramFilePath(char (&path)[ModulePathCapacity]) {
    return ::GetModuleFileNameA(nullptr, path, ModulePathCapacity);
}

bool CompanionFilePath(const char* extension, THeapBuffer& companion) {
    char path[ModulePathCapacity] = {};
    const DWORD length = ProgramFilePath(path);
    if (length < 3) return false;
    companion = THeapBuffer(length + 1);
    if (!companion) return false;
    ::lstrcpynA(companion.chars(), path, static_cast<int>(length - 3) + 1);
    // The three letters and the terminator fill the buffer exactly.
    ::lstrcpynA(companion.chars() + (length - 3), extension, 4);
    return true;
}

}  // namespace velmora
