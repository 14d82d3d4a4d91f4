#include "settings/LoadedText.h"

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

}  // namespace velmora
