#include "app/Messages.h"

#include "app/StringIds.h"
#include "base/FormatText.h"

namespace velmora {

namespace {
constexpr int CaptionCapacity = 31;
constexpr int SystemTextCapacity = 256;
}  // namespace

int LoadText(UINT id, char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return 0;
    const int stored = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer, capacity);
    // LoadStringA leaves the buffer untouched for a missing string; callers
    // may pass a buffer they did not clear, so never show what was there.
    if (stored <= 0) buffer[0] = '\0';
    return stored > 0 ? stored : 0;
}

int AppMessageBox(HWND owner, const char* text, UINT style) {
    char caption[CaptionCapacity] = {};
    LoadText(IDS_APPNAME, caption, sizeof caption);
    return ::MessageBoxA(owner, text, caption, style);
}

void AppendBounded(char* destination, int capacity, const char* source) {
    const int d = ::lstrlenA(destination);
    const int s = ::lstrlenA(source);
    if (d + s + 1 <= capacity) {
        ::lstrcatA(destination, source);
    } else if (capacity - d > 1) {
        ::lstrcpynA(destination + d, source, capacity - d);
    }
}

void ComposeWin32ErrorText(DWORD code, char* message, TFormatMessage formatMessage) {
    char format[CaptionCapacity] = {};
    char systemText[SystemTextCapacity] = {};
    if (LoadText(IDS_WIN32_ERROR, format, sizeof format) > 0) {
        FormatText(message, format, code);
    }
    const DWORD length =
        formatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, code, 0,
                      systemText, sizeof systemText, nullptr);
    if (length > 0) {
        // LF before CR: the separator is kept as the program always showed it.
        if (message[0] != '\0') AppendBounded(message, Win32ErrorTextCapacity - 1, "\n\r");
        AppendBounded(message, 255, systemText);
    }
}

void ReportWin32Error(DWORD code) {
    if (code == 0) return;
    char caption[CaptionCapacity] = {};
    char message[Win32ErrorTextCapacity] = {};
    LoadText(IDS_APPNAME, caption, sizeof caption);
    ComposeWin32ErrorText(code, message, ::FormatMessageA);
    if (message[0] != '\0')
        ::MessageBoxA(nullptr, message, caption[0] != '\0' ? caption : nullptr,
                      MB_OK | MB_ICONERROR);
}

}  // namespace velmora
