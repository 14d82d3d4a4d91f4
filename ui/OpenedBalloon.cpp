#include "ui/OpenedBalloon.h"

#include "ui/DialogState.h"
#include "ui/Tooltips.h"

namespace velmora {

namespace {

bool IsUserInput(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return true;
    default: return false;
    }
}

// The dialog's modal loop hands every message to this filter before it is
// dispatched, whichever control it is for.
LRESULT CALLBACK CloseAtFirstInput(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && OpenedTip) {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        const HWND dialog = ::GetWindow(OpenedTip.get(), GW_OWNER);
        if (IsUserInput(message->message) &&
            (message->hwnd == dialog || ::IsChild(dialog, message->hwnd)))
            CloseOpenedBalloon(dialog);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void OpenBalloon(HWND dialog, HWND tip, HWND target) {
    OpenedTip.reset(tip);
    if (!OpenedTip) return;
    ShowTrackingBalloon(tip, dialog, target);
    OpenedTipHook.reset(
        ::SetWindowsHookExA(WH_MSGFILTER, CloseAtFirstInput, nullptr, ::GetCurrentThreadId()));
    ::SetTimer(dialog, OpenedBalloonTimer, OpenedBalloonMilliseconds, nullptr);
}

void CloseOpenedBalloon(HWND dialog) {
    ::KillTimer(dialog, OpenedBalloonTimer);
    OpenedTipHook.reset();
    OpenedTip.reset();
}

}  // namespace velmora
