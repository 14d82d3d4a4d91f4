#include "VersionText.h"

#include <windows.h>

#include "Handles.h"

namespace velmora {

int FormatVersionText(char* buffer) {
    char path[262] = {};
    if (::GetModuleFileNameA(nullptr, path, sizeof path) == 0) return 0;
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return 0;
    const THeapBuffer block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!block || !::GetFileVersionInfoA(path, 0, size, block.as<void>()) ||
        !::VerQueryValueA(block.as<void>(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr)
        return 0;
    const INT_PTR parts[] = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                         HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
    return ::wvsprintfA(buffer, "Version %d.%d.%d.%d",
                        reinterpret_cast<va_list>(const_cast<INT_PTR*>(parts)));
}

}  // namespace velmora
