#include "ui/NoticeTexts.h"

#include <string>

#include "app/AppState.h"
#include "settings/LogonNotice.h"

namespace velmora {

namespace {

// The edit's text without the detour through the ANSI code page, where the
// system has Unicode windows; the 9x family has none.
TWideText EditText(HWND dialog, int id) {
    const HWND edit = ::GetDlgItem(dialog, id);
    if (OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        TWideText text(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
        const int read = ::GetWindowTextW(edit, &text[0], static_cast<int>(text.size()));
        text.resize(read > 0 ? static_cast<size_t>(read) : 0);
        return text;
    }
    std::string ansi(static_cast<size_t>(::GetWindowTextLengthA(edit)) + 1, '\0');
    const int read = ::GetWindowTextA(edit, &ansi[0], static_cast<int>(ansi.size()));
    if (read <= 0) return {};
    TWideText text(static_cast<size_t>(read), L'\0');
    const int converted = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), read, &text[0], read);
    text.resize(converted > 0 ? static_cast<size_t>(converted) : 0);
    return text;
}

}  // namespace

TWideText NoticeText(HWND dialog, int id) {
    TWideText stored;
    return UnchangedStoredText(dialog, id, stored) ? stored : EditText(dialog, id);
}

}  // namespace velmora
