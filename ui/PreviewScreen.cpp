#include "ui/PreviewScreen.h"

#include <algorithm>
#include <string>

#include "app/AppState.h"
#include "ui/ControlIds.h"

namespace velmora {

namespace {

bool UnicodeWindows() { return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT; }

std::string AnsiText(const TWideText& text) {
    if (text.empty()) return {};
    std::string ansi(text.size() * 2, '\0');
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                            &ansi[0], static_cast<int>(ansi.size()), nullptr,
                                            nullptr);
    ansi.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
    return ansi;
}

// As the 9x family stores and shows it: through the ANSI code page.
TWideText ThroughCodePage(const TWideText& text) {
    const std::string ansi = AnsiText(text);
    if (ansi.empty()) return {};
    TWideText back(ansi.size(), L'\0');
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                            &back[0], static_cast<int>(back.size()));
    back.resize(chars > 0 ? static_cast<size_t>(chars) : 0);
    return back;
}

// Unicode windows where the system has them: an ANSI window would keep
// only what the code page holds.
void SetText(HWND window, const TWideText& text) {
    if (UnicodeWindows()) ::SetWindowTextW(window, text.c_str());
    else ::SetWindowTextA(window, AnsiText(text).c_str());
}

HWND AddControl(HWND parent, const char* className, DWORD style, const RECT& r, int id) {
    const DWORD common = WS_CHILD | WS_VISIBLE | style;
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    if (!UnicodeWindows())
        return ::CreateWindowExA(0, className, "", common, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, parent, menu, ::GetModuleHandleA(nullptr),
                                 nullptr);
    wchar_t wideClass[16] = {};
    ::MultiByteToWideChar(CP_ACP, 0, className, -1, wideClass, 16);
    return ::CreateWindowExW(0, wideClass, L"", common, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, menu, ::GetModuleHandleA(nullptr), nullptr);
}

// The size `text` takes in `font`, wrapped at `width` as a static control
// or an edit wraps it.
SIZE Measure(HWND window, HGDIOBJ font, const TWideText& text, int width) {
    const TWindowDC dc(window);
    if (!dc) return {};
    const TSelection selected(dc.get(), font);
    RECT r = {0, 0, width, 0};
    const UINT flags = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;
    if (UnicodeWindows()) {
        ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    } else {
        const std::string ansi = AnsiText(text);
        ::DrawTextA(dc.get(), ansi.c_str(), static_cast<int>(ansi.size()), &r, flags);
    }
    return {r.right - r.left, r.bottom - r.top};
}

RECT ChildRect(HWND parent, HWND child) {
    RECT r = {};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Place(HWND window, int x, int y, int width, int height) {
    ::SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK BoxProc(HWND, UINT, WPARAM, LPARAM) {
    // Nothing to do: FALSE on WM_INITDIALOG keeps the focus in the preview.
    return FALSE;
}

// The classic box: the template's margins and the text's width at most,
// grown or shrunk to the text in the box's own font, as the system's
// notice and message boxes are.
void DrawClassicBox(HWND screen, const TWideText& caption, const TWideText& text) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const HWND box = UnicodeWindows()
                         ? ::CreateDialogParamW(instance, L"" IDD_PREVIEW_BOX, screen, BoxProc, 0)
                         : ::CreateDialogParamA(instance, IDD_PREVIEW_BOX, screen, BoxProc, 0);
    if (box == nullptr) return;
    ::SetWindowLongPtrA(box, GWLP_ID, IDC_PREVIEW_BOX);
    const HWND label = ::GetDlgItem(box, IDC_PREVIEW_BOXTEXT);
    const HWND ok = ::GetDlgItem(box, IDC_PREVIEW_BOXOK);
    SetText(box, caption);
    SetText(label, text);
    const RECT labelRect = ChildRect(box, label);
    const RECT okRect = ChildRect(box, ok);
    const int margin = labelRect.left;
    const int gap = okRect.top - labelRect.bottom;
    const int okWidth = okRect.right - okRect.left;
    const int okHeight = okRect.bottom - okRect.top;
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageA(box, WM_GETFONT, 0, 0));
    const SIZE extent = Measure(box, font, text, labelRect.right - labelRect.left);
    const int width = std::max<int>(extent.cx, okWidth);
    Place(label, margin, margin, width, extent.cy);
    Place(ok, margin + (width - okWidth) / 2, margin + extent.cy + gap, okWidth, okHeight);
    RECT outer = {}, inner = {}, area = {};
    ::GetWindowRect(box, &outer);
    ::GetClientRect(box, &inner);
    ::GetClientRect(screen, &area);
    const int boxWidth = width + 2 * margin + (outer.right - outer.left) - inner.right;
    const int boxHeight = extent.cy + gap + okHeight + 2 * margin + (outer.bottom - outer.top) -
                          inner.bottom;
    Place(box, std::max<int>(0, (area.right - boxWidth) / 2),
          std::max<int>(0, (area.bottom - boxHeight) / 2), boxWidth, boxHeight);
    ::ShowWindow(box, SW_SHOWNA);
    // Drawn as the active window it is on the logon desktop.
    ::SendMessageA(box, WM_NCACTIVATE, TRUE, 0);
}

// Segoe UI, the face of the logon screens since Vista; where the system
// lacks it, the font mapper takes the nearest face the system has.
HGDIOBJ LogonFont(int points, int dpi, LONG weight) {
    LOGFONTA font = {};
    font.lfHeight = -::MulDiv(points, dpi, 72);
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    ::lstrcpynA(font.lfFaceName, "Segoe UI", LF_FACESIZE);
    return ::CreateFontIndirectA(&font);
}

// The logon screen's notice: the caption above the text, the text in a
// column about 600 pixels wide that scrolls beyond about 300, OK below;
// pixels at 96 dots per inch, as the screens scale them.
void DrawLogonNotice(TPreviewScreen& screen, const TWideText& caption, const TWideText& text) {
    int dpi = 96;
    if (const TWindowDC dc(screen.window); dc) dpi = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
    const auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, dpi, 96); };
    screen.captionFont.reset(LogonFont(12, dpi, FW_NORMAL));
    screen.textFont.reset(LogonFont(9, dpi, FW_NORMAL));
    RECT area = {};
    ::GetClientRect(screen.window, &area);
    const int margin = scaled(16);
    const int gap = scaled(12);
    const int width = std::min<int>(scaled(600), area.right - 2 * margin);
    const int captionHeight = Measure(screen.window, screen.captionFont.get(), caption, width).cy;
    const int scrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int textHeight = Measure(screen.window, screen.textFont.get(), text, width - scrollBar).cy;
    const bool scrolls = textHeight > scaled(300);
    const int columnHeight = scrolls ? scaled(300) : textHeight;
    const int okWidth = scaled(88);
    const int okHeight = scaled(28);
    const int left = (area.right - width) / 2;
    int top = std::max<int>(margin, (area.bottom - (captionHeight + columnHeight + okHeight +
                                                    3 * gap)) / 2);
    const HWND title = AddControl(screen.window, "STATIC", SS_LEFT | SS_NOPREFIX,
                                  {left, top, left + width, top + captionHeight},
                                  IDC_PREVIEW_CAPTION);
    top += captionHeight + gap;
    const HWND column = AddControl(
        screen.window, "EDIT",
        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | (scrolls ? WS_VSCROLL : 0),
        {left, top, left + width, top + columnHeight}, IDC_PREVIEW_TEXT);
    top += columnHeight + 2 * gap;
    const HWND ok = AddControl(screen.window, "BUTTON", BS_PUSHBUTTON,
                               {left + (width - okWidth) / 2, top,
                                left + (width + okWidth) / 2, top + okHeight},
                               IDC_PREVIEW_OK);
    for (const auto& [window, font] : {std::pair{title, screen.captionFont.get()},
                                       std::pair{column, screen.textFont.get()},
                                       std::pair{ok, screen.textFont.get()}})
        ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetText(title, caption);
    SetText(column, text);
    ::SetWindowTextA(ok, "OK");
}

INT_PTR CALLBACK ScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) try {
    switch (message) {
    case WM_INITDIALOG: ::SetWindowLongPtrA(window, DWLP_USER, lParam); return FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC: {
        const auto* screen =
            reinterpret_cast<const TPreviewScreen*>(::GetWindowLongPtrA(window, DWLP_USER));
        if (screen == nullptr || !screen->background) return FALSE;
        LOGBRUSH brush = {};
        ::GetObjectA(screen->background.get(), sizeof brush, &brush);
        const auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::SetBkColor(dc, brush.lbColor);
        return reinterpret_cast<INT_PTR>(screen->background.get());
    }
    default: return FALSE;
    }
} catch (...) {
    return FALSE;
}

// The classic systems show the notice over their desktop's colour; the
// logon screens over a dark one of their own.
COLORREF Background(TPreviewFamily family) {
    switch (family) {
    case TPreviewFamily::Vista7: return RGB(24, 52, 92);
    case TPreviewFamily::Win8to11: return RGB(16, 28, 44);
    default: return ::GetSysColor(COLOR_BACKGROUND);
    }
}

}  // namespace

bool CreatePreviewScreen(HWND preview, HWND frame, TPreviewScreen& screen) {
    screen.window = ::CreateDialogParamA(::GetModuleHandleA(nullptr), IDD_PREVIEW_SCREEN, preview,
                                         ScreenProc, reinterpret_cast<LPARAM>(&screen));
    if (screen.window == nullptr) return false;
    ::SetWindowLongPtrA(screen.window, GWLP_ID, IDC_PREVIEW_SCREEN);
    const RECT r = ChildRect(preview, frame);
    Place(screen.window, r.left + 1, r.top + 1, r.right - r.left - 2, r.bottom - r.top - 2);
    return true;
}

void DrawNotice(TPreviewScreen& screen, TPreviewFamily family, const TWideText& caption,
                const TWideText& text) {
    while (const HWND child = ::GetWindow(screen.window, GW_CHILD)) ::DestroyWindow(child);
    screen.captionFont.reset();
    screen.textFont.reset();
    screen.background.reset(::CreateSolidBrush(Background(family)));
    switch (family) {
    case TPreviewFamily::Classic: DrawClassicBox(screen.window, caption, text); break;
    case TPreviewFamily::NineX:
        DrawClassicBox(screen.window, ThroughCodePage(caption), ThroughCodePage(text));
        break;
    case TPreviewFamily::Vista7:
    case TPreviewFamily::Win8to11: DrawLogonNotice(screen, caption, text); break;
    }
    ::InvalidateRect(screen.window, nullptr, TRUE);
}

}  // namespace velmora
