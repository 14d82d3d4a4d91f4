#include "ui/VersionText.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/Handles.h"
#include "base/ModulePath.h"
#include "base/SystemLibrary.h"

namespace velmora {

int FormatVersionText(char* buffer) {
    char path[ModulePathCapacity] = {};
    if (ProgramFilePath(path) == 0) return 0;
    // Bound from the system folder: version.dll is no known DLL, and a copy
    // beside the program would otherwise be loaded first.
    const TLibrary library = LoadSystemLibrary("version.dll");
    if (!library) return 0;
    const auto sizeOfInfo = ResolveExport<decltype(&::GetFileVersionInfoSizeA)>(
        library.get(), "GetFileVersionInfoSizeA");
    const auto readInfo =
        ResolveExport<decltype(&::GetFileVersionInfoA)>(library.get(), "GetFileVersionInfoA");
    const auto queryValue =
        ResolveExport<decltype(&::VerQueryValueA)>(library.get(), "VerQueryValueA");
    if (sizeOfInfo == nullptr || readInfo == nullptr || queryValue == nullptr) return 0;
    DWORD handle = 0;
    const DWORD size = sizeOfInfo(path, &handle);
    if (size == 0) return 0;
    const THeapBuffer block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!block || !readInfo(path, 0, size, block.as<void>()) ||
        !queryValue(block.as<void>(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr)
        return 0;
    return FormatText(buffer, "Version %d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                      LOWORD(fixed->dwFileVersionLS));
}

}  // namespace velmora
