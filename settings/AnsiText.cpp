#include "settings/AnsiText.h"

#include "base/Handles.h"

namespace velmora {

namespace {

constexpr int NameCapacity = 64;

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

}  // namespace

bool ValueReadsAsAnsi(HKEY key, const char* name) {
    wchar_t wideName[NameCapacity] = {};
    if (::MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, NameCapacity) == 0) return true;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key, wideName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        !IsText(type) || size < sizeof(wchar_t))
        return true;
    // Room for a terminator that the data may lack.
    const THeapBuffer data(static_cast<SIZE_T>(size) + sizeof(wchar_t));
    if (!data) return true;
    DWORD delivered = size;
    if (::RegQueryValueExW(key, wideName, nullptr, &type, data.as<BYTE>(), &delivered) !=
            ERROR_SUCCESS ||
        !IsText(type))
        return true;
    // Every character, inner zeros of a multi-string too; no best fit, so
    // that a look-alike counts as a loss like the default character.
    const int count = static_cast<int>(delivered / sizeof(wchar_t));
    if (count == 0) return true;
    const int ansiSize = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, data.as<wchar_t>(),
                                               count, nullptr, 0, nullptr, nullptr);
    const THeapBuffer ansi(static_cast<SIZE_T>(ansiSize > 0 ? ansiSize : 1));
    if (ansiSize <= 0 || !ansi) return true;
    BOOL usedDefault = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, data.as<wchar_t>(), count, ansi.chars(),
                          ansiSize, nullptr, &usedDefault);
    return usedDefault == FALSE;
}

}  // namespace velmora
