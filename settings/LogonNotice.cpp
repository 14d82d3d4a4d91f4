#include "settings/LogonNotice.h"

#include <string>

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/FormatText.h"
#include "registry/APIRegistry.h"
#include "settings/AnsiText.h"
#include "settings/LoadedText.h"
#include "settings/RegistryView.h"
#include "settings/StoredValue.h"
#include "ui/ControlIds.h"
#include "ui/MainDialog.h"

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

int TextLength(HWND dialog, int id) { return ::GetWindowTextLengthA(::GetDlgItem(dialog, id)); }

std::string ReadEditText(HWND dialog, int id) {
    const int length = TextLength(dialog, id);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int read = ::GetDlgItemTextA(dialog, id, &text[0], length + 1);
    text.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return text;
}

// A stored value, its edit and its block, as the dialog showed them when
// they were loaded or last saved. Save touches a value only when the user
// changed its text or toggled its block since: whatever else is stored
// (REG_EXPAND_SZ with its references, REG_MULTI_SZ, another type, Unicode
// text that the ANSI functions show with "?") stays as it is.
struct TShownValue {
    int id;
    const char* name;
    UINT fieldId;
    int checkId;
    // The value is stored: as loaded, then as the last write or delete left it.
    bool present;
    // Stored as Unicode with characters the ANSI code page lacks: told once;
    // no longer once the value is written or deleted.
    bool kept;
    bool checked;
    std::string shown;
    // A kept REG_SZ value's text as stored, which an export takes while the
    // edit shows its look-alikes.
    TWideText stored;
    // The value as the dialog last loaded or stored it, and as a Save finds
    // it: where the two differ, another program changed it meanwhile.
    TStoredValue loaded;
    TStoredValue now;
    // Written or deleted by this Save, so its state is Velmora's own.
    bool touched;
};

TShownValue ShownValues[] = {
    {IDC_NOTICE_CAPTION, Caption, IDS_FIELD_CAPTION, IDC_NOTICE_ENABLED, false, false, false, {},
     {}, {}, {}, false},
    {IDC_NOTICE_TEXT, Text, IDS_FIELD_TEXT, IDC_NOTICE_ENABLED, false, false, false, {}, {}, {}, {},
     false},
    {IDC_PROMPT, Prompt, IDS_FIELD_PROMPT, IDC_PROMPT_ENABLED, false, false, false, {}, {}, {}, {},
     false}};

TShownValue& Shown(int id) {
    for (TShownValue& value : ShownValues)
        if (value.id == id) return value;
    return ShownValues[0];
}

void ShowValue(HWND dialog, TShownValue& value, const TAPIRegistry& registry) {
    if (!registry.ValueExists(value.name)) return;
    value.present = true;
    ::SetDlgItemTextA(dialog, value.id, registry.ReadString(value.name).c_str());
    // The 9x family has no Unicode registry.
    value.kept = OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                 !ValueReadsAsAnsi(registry.Key(), value.name, ::WideCharToMultiByte,
                                   &value.stored);
}

// A text loaded from a file counts as changed while the edit shows it, also
// when its look-alikes are what the edit showed before.
bool Changed(HWND dialog, const TShownValue& value) {
    TWideText loaded;
    const std::string text = ReadEditText(dialog, value.id);
    return IsCheckBoxChecked(dialog, value.checkId) != value.checked || text != value.shown ||
           LoadedTextShown(value.id, text, loaded);
}

bool IsHandled(const TShownValue& value) { return value.id != IDC_PROMPT || IsLogonPromptSystem(); }

// Each handled value as stored now, read through the same view and key as
// the load, into `into`; a key that is not there holds none of them.
void ReadStoredValues(TStoredValue TShownValue::*into, bool touchedOnly = false) {
    TAPIRegistry registry;
    PrepareLogonRegistry(registry, KEY_READ);
    TStoredValue missing;
    try {
        registry.OpenKey(WinlogonKeyPath());
    } catch (const APIRegistryException& e) {
        if (e.ErrorCode == ERROR_FILE_NOT_FOUND) missing.state = TStoredValue::Absent;
    }
    for (TShownValue& value : ShownValues) {
        if (!IsHandled(value) || (touchedOnly && !value.touched)) continue;
        value.*into = registry.Key() != nullptr ? ReadStoredValue(registry.Key(), value.name)
                                                 : missing;
    }
}

bool ChangedMeanwhile(const TShownValue& value) { return DiffersFrom(value.now, value.loaded); }

// A stored value that already shows this text is left as it is, whatever
// its type. Where another program changed it meanwhile (Save has asked, and
// the user chose the dialog's texts) it goes back to what the dialog loaded
// or last stored, or, removed, gets its text again.
void WriteValue(TAPIRegistry& registry, HWND dialog, int id) {
    TShownValue& value = Shown(id);
    std::string text = ReadEditText(dialog, id);
    TWideText loaded;
    if (LoadedTextShown(id, text, loaded)) {
        // What the file held, not the edit's look-alikes; from now on like
        // a text loaded from the registry.
        value.touched = true;
        TStoredValue wide;
        wide.state = TStoredValue::Present;
        wide.type = REG_SZ;
        wide.data.assign(reinterpret_cast<const char*>(loaded.c_str()),
                         (loaded.size() + 1) * sizeof(wchar_t));
        WriteStoredValue(registry.Key(), value.name, wide);
        ForgetLoadedText(id);
        value.present = true;
        value.kept = !TextReadsAsAnsi(loaded);
        value.stored = value.kept ? std::move(loaded) : TWideText();
        value.shown = std::move(text);
        return;
    }
    if (value.present && text == value.shown) {
        if (!ChangedMeanwhile(value)) return;
        if (value.loaded.state == TStoredValue::Present) {
            value.touched = true;
            WriteStoredValue(registry.Key(), value.name, value.loaded);
            return;
        }
    }
    value.touched = true;
    registry.WriteString(value.name, text);
    value.present = true;
    value.kept = false;
    value.shown = std::move(text);
}

// Until the delete has succeeded the value counts as stored.
void DeleteValue(TAPIRegistry& registry, int id) {
    TShownValue& value = Shown(id);
    value.touched = true;
    if (registry.ValueExists(value.name) && registry.DeleteValue(value.name)) {
        value.present = false;
        value.kept = false;
    }
}

// A block the user left alone: a value another program changed meanwhile
// goes back to what the dialog loaded, or goes again.
void RestoreLoadedValue(TAPIRegistry& registry, int id) {
    TShownValue& value = Shown(id);
    if (!ChangedMeanwhile(value)) return;
    if (value.loaded.state == TStoredValue::Present) {
        value.touched = true;
        WriteStoredValue(registry.Key(), value.name, value.loaded);
    } else {
        DeleteValue(registry, id);
    }
}

void AppendField(char* fields, int capacity, const TShownValue& value) {
    char field[64] = {};
    LoadText(value.fieldId, field, sizeof field);
    AppendBounded(fields, capacity, field);
}

}  // namespace

void LoadLogonNotice(HWND dialog) {
    ForgetLoadedTexts();
    for (TShownValue& value : ShownValues) {
        value.present = false;
        value.kept = false;
        value.stored.clear();
        value.loaded = {};
    }
    TAPIRegistry registry;
    PrepareLogonRegistry(registry, KEY_READ);
    try {
        registry.OpenKey(WinlogonKeyPath());
        ShowValue(dialog, Shown(IDC_NOTICE_CAPTION), registry);
        ShowValue(dialog, Shown(IDC_NOTICE_TEXT), registry);
        if (IsLogonPromptSystem()) ShowValue(dialog, Shown(IDC_PROMPT), registry);
    } catch (const APIRegistryException& e) {
        ReportRegistryFailure(dialog, e, IDS_KEY_NOT_FOUND, IDS_KEY_OPEN_FAILED);
    }
    ReadStoredValues(&TShownValue::loaded);
}

void ReportKeptLogonNotice(HWND dialog) {
    char fields[256] = {};
    for (const TShownValue& value : ShownValues)
        if (value.kept) AppendField(fields, sizeof fields, value);
    if (fields[0] == '\0') return;
    char format[512] = {};
    LoadText(IDS_TEXT_KEPT, format, sizeof format);
    char message[1025] = {};
    FormatText(message, format, static_cast<const char*>(fields));
    AppMessageBox(dialog, message, MB_OK | MB_ICONWARNING);
}

void RememberLogonNotice(HWND dialog) {
    for (TShownValue& value : ShownValues) {
        value.shown = ReadEditText(dialog, value.id);
        value.checked = IsCheckBoxChecked(dialog, value.checkId);
    }
}

bool UnchangedStoredText(HWND dialog, int id, TWideText& text) {
    if (LoadedTextShown(id, ReadEditText(dialog, id), text)) return true;
    const TShownValue& value = Shown(id);
    if (!value.kept || value.stored.empty() || Changed(dialog, value)) return false;
    text = value.stored;
    return true;
}

bool ChangedMeanwhileFields(char* fields, int capacity) {
    ReadStoredValues(&TShownValue::now);
    bool changed = false;
    for (const TShownValue& value : ShownValues) {
        if (!IsHandled(value) || !ChangedMeanwhile(value)) continue;
        AppendField(fields, capacity, value);
        changed = true;
    }
    return changed;
}

bool StoreLogonNotice(HWND dialog) {
    for (TShownValue& value : ShownValues) value.touched = false;
    ReadStoredValues(&TShownValue::now);
    TAPIRegistry registry;
    PrepareLogonRegistry(registry, KEY_WRITE);
    try {
        const char* path = WinlogonKeyPath();
        if (!registry.KeyExists(path)) registry.CreateKey(path);
        registry.OpenKey(path);

        if (Changed(dialog, Shown(IDC_NOTICE_CAPTION)) || Changed(dialog, Shown(IDC_NOTICE_TEXT))) {
            if (TextLength(dialog, IDC_NOTICE_CAPTION) > 0 &&
                TextLength(dialog, IDC_NOTICE_TEXT) > 0 &&
                IsCheckBoxChecked(dialog, IDC_NOTICE_ENABLED)) {
                WriteValue(registry, dialog, IDC_NOTICE_CAPTION);
                WriteValue(registry, dialog, IDC_NOTICE_TEXT);
            } else {
                DeleteValue(registry, IDC_NOTICE_CAPTION);
                DeleteValue(registry, IDC_NOTICE_TEXT);
            }
        } else {
            RestoreLoadedValue(registry, IDC_NOTICE_CAPTION);
            RestoreLoadedValue(registry, IDC_NOTICE_TEXT);
        }

        if (IsLogonPromptSystem() && Changed(dialog, Shown(IDC_PROMPT))) {
            if (TextLength(dialog, IDC_PROMPT) > 0 && IsCheckBoxChecked(dialog, IDC_PROMPT_ENABLED))
                WriteValue(registry, dialog, IDC_PROMPT);
            else
                DeleteValue(registry, IDC_PROMPT);
        } else if (IsLogonPromptSystem()) {
            RestoreLoadedValue(registry, IDC_PROMPT);
        }
        // The dialog may stay open: the next Save compares with this one,
        // and Velmora's own writes are no other program's change.
        RememberLogonNotice(dialog);
        ReadStoredValues(&TShownValue::loaded);
        return true;
    } catch (const APIRegistryException& e) {
        // What this Save did write or delete is its own all the same.
        ReadStoredValues(&TShownValue::loaded, true);
        ReportRegistryFailure(dialog, e, IDS_KEY_CREATE_FAILED, IDS_KEY_STORE_FAILED);
        return false;
    }
}

void ShowLoadedText(HWND dialog, int id, const TWideText& text) {
    // The default character stands for what has no look-alike at all.
    std::string ansi;
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size > 0) {
        ansi.resize(static_cast<size_t>(size));
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &ansi[0], size, nullptr, nullptr);
    }
    ::SetDlgItemTextA(dialog, id, ansi.c_str());
    // The 9x family has no Unicode registry to keep it for.
    if (OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT)
        KeepLoadedText(id, text, ReadEditText(dialog, id));
    else
        ForgetLoadedText(id);
}

}  // namespace velmora
