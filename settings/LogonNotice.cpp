#include "LogonNotice.h"

#include <string>

#include "APIRegistry.h"
#include "AppState.h"
#include "ControlIds.h"
#include "MainDialog.h"
#include "Messages.h"
#include "RegistryView.h"
#include "StringIds.h"

namespace velmora {

namespace {

constexpr const char* Caption = "LegalNoticeCaption";
constexpr const char* Text = "LegalNoticeText";
constexpr const char* Prompt = "LogonPrompt";

const char* WinlogonKeyPath() {
    return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT
               ? "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon"
               : "\\Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
}

void PrepareRegistry(TAPIRegistry& registry, REGSAM access) {
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.Access = access;
    registry.View = LogonRegistryView();
}

void ReportRegistryFailure(HWND dialog, const APIRegistryException& e, UINT shortId, UINT longId) {
    char message[1024] = {};
    if (e.ErrorCode == ERROR_FILE_NOT_FOUND || e.ErrorCode == ERROR_INVALID_HANDLE) {
        LoadText(shortId, message, sizeof message);
    } else {
        LoadText(longId, message, sizeof message);
        AppendBounded(message, sizeof message - 1, e.Message.c_str());
    }
    AppMessageBox(dialog, message, MB_OK | MB_ICONERROR);
}

void ShowValue(HWND dialog, int id, const TAPIRegistry& registry, const char* name) {
    if (registry.ValueExists(name))
        ::SetDlgItemTextA(dialog, id, registry.ReadString(name).c_str());
}

int TextLength(HWND dialog, int id) { return ::GetWindowTextLengthA(::GetDlgItem(dialog, id)); }

std::string ReadEditText(HWND dialog, int id) {
    const int length = TextLength(dialog, id);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int read = ::GetDlgItemTextA(dialog, id, &text[0], length + 1);
    text.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return text;
}

void DeleteIfPresent(TAPIRegistry& registry, const char* name) {
    if (registry.ValueExists(name)) registry.DeleteValue(name);
}

}  // namespace

void LoadLogonNotice(HWND dialog) {
    TAPIRegistry registry;
    PrepareRegistry(registry, KEY_READ);
    try {
        registry.OpenKey(WinlogonKeyPath());
        ShowValue(dialog, IDC_NOTICE_CAPTION, registry, Caption);
        ShowValue(dialog, IDC_NOTICE_TEXT, registry, Text);
        if (IsLogonPromptSystem()) ShowValue(dialog, IDC_PROMPT, registry, Prompt);
    } catch (const APIRegistryException& e) {
        ReportRegistryFailure(dialog, e, IDS_KEY_NOT_FOUND, IDS_KEY_OPEN_FAILED);
    }
}

bool StoreLogonNotice(HWND dialog) {
    TAPIRegistry registry;
    PrepareRegistry(registry, KEY_WRITE);
    try {
        const char* path = WinlogonKeyPath();
        if (!registry.KeyExists(path)) registry.CreateKey(path);
        registry.OpenKey(path);

        if (TextLength(dialog, IDC_NOTICE_CAPTION) > 0 && TextLength(dialog, IDC_NOTICE_TEXT) > 0 &&
            IsCheckBoxChecked(dialog, IDC_NOTICE_ENABLED)) {
            registry.WriteString(Caption, ReadEditText(dialog, IDC_NOTICE_CAPTION));
            registry.WriteString(Text, ReadEditText(dialog, IDC_NOTICE_TEXT));
        } else {
            DeleteIfPresent(registry, Caption);
            DeleteIfPresent(registry, Text);
        }

        if (IsLogonPromptSystem()) {
            if (TextLength(dialog, IDC_PROMPT) > 0 && IsCheckBoxChecked(dialog, IDC_PROMPT_ENABLED))
                registry.WriteString(Prompt, ReadEditText(dialog, IDC_PROMPT));
            else
                DeleteIfPresent(registry, Prompt);
        }
        return true;
    } catch (const APIRegistryException& e) {
        ReportRegistryFailure(dialog, e, IDS_KEY_CREATE_FAILED, IDS_KEY_STORE_FAILED);
        return false;
    }
}

}  // namespace velmora
