#include "ui/Tooltips.h"

#include <commctrl.h>

#include "app/Messages.h"
#include "app/StringIds.h"
#include "app/StructSize.h"
#include "base/FormatText.h"
#include "base/Handles.h"
#include "base/SystemLibrary.h"
#include "ui/DialogState.h"
#include "ui/TextLimits.h"

namespace velmora {

namespace {

// TOOLINFOA without the trailing reserved pointer: what comctl32 5 knew
// (TTTOOLINFOA_V2_SIZE, which is no constant expression).
constexpr UINT ToolInfoSize = VELMORA_SIZE_THROUGH(TOOLINFOA, lParam);
static_assert(SizeKeeps32BitValue(ToolInfoSize, 44));

constexpr int CounterFormatCapacity = 30;
constexpr int CounterTextCapacity = 50;
constexpr int BalloonTextCapacity = 255;
constexpr int BalloonTitleCapacity = 50;

// The tooltip class lives in comctl32; make sure it is registered.
// InitCommonControlsEx came with comctl32 4.70 (Internet Explorer 3): the
// first Windows 95 and NT 4.0 have only InitCommonControls, which registers
// the same classes. Looked up in the comctl32 the program already imports,
// so that no other file of that name is ever loaded.
void RegisterCommonControls() {
    using TInitEx = decltype(&::InitCommonControlsEx);
    const auto initEx =
        ResolveExport<TInitEx>(::GetModuleHandleA("comctl32.dll"), "InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    if (initEx == nullptr || !initEx(&classes)) ::InitCommonControls();
}

HWND CreateTip(HWND dialog, DWORD style) {
    RegisterCommonControls();
    const HWND tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, style,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                       dialog, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (tip != nullptr)
        ::SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    return tip;
}

int CounterMaximum(HWND edit) { return TextLimitOf(::GetDlgCtrlID(edit)); }

void SendCounterText(HWND edit, UINT message) {
    if (!CounterTip) return;
    CounterToolInfo.uId = reinterpret_cast<UINT_PTR>(edit);
    const int length = ::GetWindowTextLengthA(edit);
    const THeapBuffer text(CounterTextCapacity);
    if (!text) return;
    char format[CounterFormatCapacity] = {};
    LoadText(IDS_COUNTER_FORMAT, format, sizeof format);
    FormatText(text.chars(), format, length, CounterMaximum(edit));
    CounterToolInfo.lpszText = text.chars();
    ::SendMessageA(CounterTip.get(), message, 0, reinterpret_cast<LPARAM>(&CounterToolInfo));
    CounterToolInfo.lpszText = nullptr;
}

// Creates the balloon and gives it `tool` with its text and title.
HWND CreateBalloon(HWND dialog, TOOLINFOA& tool, int icon, const char* literalText, UINT textId,
                   UINT titleId) {
    const HWND tip =
        CreateTip(dialog, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON | TTS_CLOSE);
    if (tip == nullptr) return nullptr;

    tool.cbSize = ToolInfoSize;
    tool.hwnd = dialog;
    tool.hinst = ::GetModuleHandleA(nullptr);

    const THeapBuffer text(BalloonTextCapacity);
    const THeapBuffer title(BalloonTitleCapacity);
    if (text) {
        if (textId != 0) LoadText(textId, text.chars(), BalloonTextCapacity - 1);
        if (literalText != nullptr) ::lstrcpynA(text.chars(), literalText, BalloonTextCapacity - 1);
        tool.lpszText = text.chars();
        ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (title) {
        LoadText(titleId, title.chars(), BalloonTitleCapacity);
        ::SendMessageA(tip, TTM_SETTITLEA, icon, reinterpret_cast<LPARAM>(title.chars()));
    }
    return tip;
}

}  // namespace

bool CreateCounterTip(HWND dialog) {
    CounterTip.reset(CreateTip(dialog, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_CLOSE));
    if (!CounterTip) return false;
    CounterToolInfo = {};
    CounterToolInfo.cbSize = ToolInfoSize;
    CounterToolInfo.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
    CounterToolInfo.hinst = ::GetModuleHandleA(nullptr);
    CounterToolInfo.hwnd = dialog;
    ::GetClientRect(dialog, &CounterToolInfo.rect);
    return true;
}

void AddCounterTool(HWND edit) { SendCounterText(edit, TTM_ADDTOOLA); }

void UpdateCounterTool(HWND edit) { SendCounterText(edit, TTM_UPDATETIPTEXTA); }

HWND AddBalloonTip(HWND dialog, int id, int icon, const char* literalText, UINT textId,
                   UINT titleId) {
    TOOLINFOA tool = {};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT | TTF_PARSELINKS;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog, id));
    ::GetClientRect(dialog, &tool.rect);
    return CreateBalloon(dialog, tool, icon, literalText, textId, titleId);
}

HWND AddAreaBalloonTip(HWND dialog, int frameId, int icon, UINT textId, UINT titleId) {
    const HWND frame = ::GetDlgItem(dialog, frameId);
    if (frame == nullptr) return nullptr;
    TOOLINFOA tool = {};
    // The dialog's own area: a group box lets the mouse through to the
    // dialog, and so do the labels and disabled controls inside it.
    tool.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT | TTF_PARSELINKS;
    tool.uId = static_cast<UINT_PTR>(frameId);
    ::GetWindowRect(frame, &tool.rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&tool.rect), 2);
    return CreateBalloon(dialog, tool, icon, nullptr, textId, titleId);
}

HWND AddTrackingBalloonTip(HWND dialog, int icon, UINT textId, UINT titleId) {
    TOOLINFOA tool = {};
    tool.uFlags = TTF_TRACK | TTF_TRANSPARENT;
    return CreateBalloon(dialog, tool, icon, nullptr, textId, titleId);
}

void ShowTrackingBalloon(HWND tip, HWND dialog, HWND target) {
    RECT r;
    if (!::GetWindowRect(target, &r)) return;
    ::SendMessageA(tip, TTM_TRACKPOSITION, 0,
                   MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    TOOLINFOA tool = {};
    tool.cbSize = ToolInfoSize;
    tool.hwnd = dialog;
    ::SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace velmora
