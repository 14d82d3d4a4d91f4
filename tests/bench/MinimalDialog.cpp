// The yardstick for start-up time: a dialog program built with the same
// toolchain and flags, doing nothing but showing its dialog.
#include <windows.h>

namespace {

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_CLOSE: ::EndDialog(dialog, 0); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, 0);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ::DialogBoxParamA(instance, "MINIMAL", nullptr, Proc, 0);
    return 0;
}
