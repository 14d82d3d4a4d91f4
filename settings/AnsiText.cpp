#include "settings/AnsiText.h"

#include <algorithm>

#include "base/Handles.h"

namespace velmora {

namespace {

constexpr int NameCapacity = 64;

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Converted to the code page and back, the `count` characters at `text` are
// what they were. No flags: WC_NO_BEST_FIT_CHARS is unknown before Windows
// 2000, and a look-alike does not survive the way back anyway.
bool RoundTripsThroughCodePage(const wchar_t* text, int count, TWideToAnsi convert) {
    const int ansiSize = convert(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr);
    if (ansiSize <= 0) return false;
    const THeapBuffer ansi(static_cast<SIZE_T>(ansiSize));
    if (!ansi) return false;
    BOOL usedDefault = FALSE;
    if (convert(CP_ACP, 0, text, count, ansi.chars(), ansiSize, nullptr, &usedDefault) != ansiSize ||
        usedDefault != FALSE)
        return false;
    const THeapBuffer back(static_cast<SIZE_T>(count) * sizeof(wchar_t));
    if (!back ||
        ::MultiByteToWideChar(CP_ACP, 0, ansi.chars(), ansiSize, back.as<wchar_t>(), count) != count)
        return false;
    return ::memcmp(back.as<wchar_t>(), text, static_cast<size_t>(count) * sizeof(wchar_t)) == 0;
}

}  // namespace

bool TextReadsAsAnsi(const TWideText& text) {
    return text.empty() ||
           RoundTripsThroughCodePage(text.data(), static_cast<int>(text.size()), ::WideCharToMultiByte);
}

bool ValueReadsAsAnsi(HKEY key, const char* name, TWideToAnsi convert, TWideText* stored) {
    wchar_t wideName[NameCapacity] = {};
    if (::MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, NameCapacity) == 0) return false;
    DWORD type = 0, size = 0;
    const LONG queried = ::RegQueryValueExW(key, wideName, nullptr, &type, nullptr, &size);
    if (queried == ERROR_FILE_NOT_FOUND) return true;
    if (queried != ERROR_SUCCESS) return false;
    if (!IsText(type) || size < sizeof(wchar_t)) return true;
    // Room for a terminator that the data may lack.
    const THeapBuffer data(static_cast<SIZE_T>(size) + sizeof(wchar_t));
    if (!data) return false;
    DWORD delivered = size;
    if (::RegQueryValueExW(key, wideName, nullptr, &type, data.as<BYTE>(), &delivered) !=
            ERROR_SUCCESS ||
        !IsText(type))
        return false;
    // Every character, inner zeros of a multi-string too.
    const int count = static_cast<int>(delivered / sizeof(wchar_t));
    if (count == 0 || RoundTripsThroughCodePage(data.as<wchar_t>(), count, convert)) return true;
    if (stored != nullptr && type == REG_SZ) {
        const wchar_t* text = data.as<wchar_t>();
        stored->assign(text, static_cast<size_t>(std::find(text, text + count, L'\0') - text));
    }
    return false;
}

}  // namespace velmora
