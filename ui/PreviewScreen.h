// The picture in the preview: a screen on which the notice is drawn as a
// Windows family shows it, with the system's own controls and fonts.
#pragma once

#include <windows.h>

#include "base/Handles.h"
#include "base/WideText.h"

namespace velmora {

enum class TPreviewFamily { Classic, NineX, Vista7, Win8to11 };
constexpr int PreviewFamilyCount = 4;

// What the picture holds beyond its windows, which are the screen's
// children and go with the preview. Lives until the preview has ended.
struct TPreviewScreen {
    HWND window = nullptr;
    TGdiObject background;
    TGdiObject captionFont;
    TGdiObject textFont;
};

// The screen, laid over the preview's frame `frame`.
bool CreatePreviewScreen(HWND preview, HWND frame, TPreviewScreen& screen);

// The notice on the screen as `family` shows it, in place of what was there.
void DrawNotice(TPreviewScreen& screen, TPreviewFamily family, const TWideText& caption,
                const TWideText& text);

}  // namespace velmora
