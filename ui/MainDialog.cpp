#include "ui/MainDialog.h"

#include "settings/SaveCommand.h"
#include "signature/SignaturePanel.h"
#include "ui/ControlIds.h"
#include "ui/DialogState.h"
#include "ui/Help.h"
#include "ui/MainDialogHandlers.h"
#include "ui/MainDialogInit.h"
#include "ui/NoticeExport.h"
#include "ui/NoticeLoad.h"
#include "ui/NoticePreview.h"
#include "ui/OpenedBalloon.h"
#include "ui/Tooltips.h"

namespace velmora {

namespace {

void OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_SAVE: SaveCommand(dialog); break;
    case IDC_CANCEL: ::EndDialog(dialog, IDCANCEL); break;
    case IDC_HELPBUTTON: ShowHelp(dialog); break;
    case IDC_COPYRIGHT: OpenMakerPage(dialog); break;
    case IDC_SIGNATUREICON: SignaturePanelClick(dialog); break;
    case IDC_NOTICE_ENABLED:
    case IDC_PROMPT_ENABLED: ToggleCheckBox(dialog, id); break;
    default: break;
    }
}

bool OnSysCommand(HWND dialog, WPARAM command) {
    return SignatureMenuCommand(dialog, command) || ExportCommand(dialog, command) ||
           LoadCommand(dialog, command) || PreviewCommand(dialog, command);
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) try {
    switch (message) {
    case WM_INITDIALOG: InitMainDialog(dialog); return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(dialog, LOWORD(wParam));
        else if (HIWORD(wParam) == EN_UPDATE) UpdateCounterTool(reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_SHOWWINDOW:
        // Posted, so that it comes once the dialog is on the screen.
        if (wParam != FALSE) ::PostMessageA(dialog, WM_MAINDIALOG_SHOWN, 0, 0);
        return FALSE;
    case WM_MAINDIALOG_SHOWN: ShowStartHints(dialog); return TRUE;
    case WM_TIMER:
        if (wParam == OpenedBalloonTimer) CloseOpenedBalloon(dialog);
        return TRUE;
    case WM_SYSCOMMAND: return OnSysCommand(dialog, wParam) ? TRUE : FALSE;
    case WM_HELP: ShowHelp(dialog); return TRUE;
    case WM_CLOSE: ::EndDialog(dialog, 0); return TRUE;
    case WM_DESTROY: ReleaseDialogState(); return TRUE;
    case WM_CTLCOLORSTATIC:
        return ColorLink(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default: return FALSE;
    }
} catch (...) {
    // Nothing may unwind into the dialog manager; an exhausted memory leaves
    // the message handled and the dialog as it was.
    return TRUE;
}

void SetEditReadOnly(HWND edit) { ::SendMessageA(edit, EM_SETREADONLY, TRUE, 0); }

bool IsCheckBoxChecked(HWND dialog, int id) {
    return ::SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace velmora
