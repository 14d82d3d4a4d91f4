#include "settings/LoadedText.h"

#include "registry/APIRegistry.h"
#include "ui/ControlIds.h"

namespace velmora {

namespace {

struct TLoadedText {
    int id;
    bool kept;
    TWideText text;
    std::string shown;
};

TLoadedText LoadedTexts[] = {{IDC_NOTICE_CAPTION, false, {}, {}},
                             {IDC_NOTICE_TEXT, false, {}, {}}};

TLoadedText* Loaded(int id) {
    for (TLoadedText& loaded : LoadedTexts)
        if (loaded.id == id) return &loaded;
    return nullptr;
}

}  // namespace

void KeepLoadedText(int id, const TWideText& text, const std::string& shown) {
    TLoadedText* loaded = Loaded(id);
    if (loaded == nullptr) return;
    loaded->kept = true;
    loaded->text = text;
    loaded->shown = shown;
}

bool LoadedTextShown(int id, const std::string& shown, TWideText& text) {
    const TLoadedText* loaded = Loaded(id);
    if (loaded == nullptr || !loaded->kept || loaded->shown != shown) return false;
    text = loaded->text;
    return true;
}

void ForgetLoadedText(int id) {
    if (TLoadedText* loaded = Loaded(id)) loaded->kept = false;
}

void ForgetLoadedTexts() {
    for (TLoadedText& loaded : LoadedTexts) loaded.kept = false;
}

void WriteWideString(HKEY key, const char* name, const TWideText& text) {
    wchar_t wideName[64] = {};
    if (::MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 64) == 0)
        throw APIRegistryException(static_cast<LONG>(::GetLastError()));
    const LONG result =
        ::RegSetValueExW(key, wideName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (result != ERROR_SUCCESS) throw APIRegistryException(result);
}

}  // namespace velmora
