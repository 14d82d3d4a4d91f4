#include "ui/MainDialogHandlers.h"

#include <shellapi.h>

#include "resources/VelmoraBuild.h"
#include "ui/ControlIds.h"

namespace velmora {

void ToggleCheckBox(HWND dialog, int id) {
    const LRESULT state = ::SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0);
    if (state != BST_CHECKED && state != BST_UNCHECKED) return;
    const BOOL enable = state == BST_CHECKED;
    if (id == IDC_NOTICE_ENABLED) {
        ::EnableWindow(::GetDlgItem(dialog, IDC_NOTICE_CAPTION), enable);
        ::EnableWindow(::GetDlgItem(dialog, IDC_NOTICE_TEXT), enable);
    } else if (id == IDC_PROMPT_ENABLED) {
        ::EnableWindow(::GetDlgItem(dialog, IDC_PROMPT), enable);
    }
}

void OpenMakerPage(HWND dialog) {
    ::ShellExecuteA(dialog, "open", VELMORA_MAKER_URL, "", nullptr, SW_SHOWNORMAL);
}

INT_PTR ColorLink(HWND dialog, HDC dc, HWND control) {
    if (control == nullptr || control != ::GetDlgItem(dialog, IDC_COPYRIGHT)) return 0;
    ::SetTextColor(dc, RGB(0, 0, 255));
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
}

}  // namespace velmora
