#include "ui/NoticePreview.h"

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "settings/NoticeLimits.h"
#include "ui/ControlIds.h"
#include "ui/NoticeCutList.h"
#include "ui/NoticeTexts.h"
#include "ui/PreviewScreen.h"
#include "ui/SystemMenu.h"

namespace velmora {

namespace {

struct TPreview {
    TWideText caption;
    TWideText text;
    TPreviewScreen screen;
};

const UINT FamilyNames[PreviewFamilyCount] = {IDS_PREVIEW_FAMILY_CLASSIC, IDS_PREVIEW_FAMILY_9X,
                                              IDS_PREVIEW_FAMILY_VISTA, IDS_PREVIEW_FAMILY_MODERN};

TPreviewFamily RunningFamily() {
    if (OsVersion.dwPlatformId != VER_PLATFORM_WIN32_NT) return TPreviewFamily::NineX;
    if (OsVersion.dwMajorVersion < 6) return TPreviewFamily::Classic;
    if (OsVersion.dwMajorVersion == 6 && OsVersion.dwMinorVersion < 2) return TPreviewFamily::Vista7;
    return TPreviewFamily::Win8to11;
}

// The family the user picked, kept for the rest of the session; until then
// the running system's, known only once the program has started.
int PickedFamily = -1;

TPreviewFamily ShownFamily() {
    return PickedFamily < 0 ? RunningFamily() : static_cast<TPreviewFamily>(PickedFamily);
}

TPreview* PreviewOf(HWND preview) {
    return reinterpret_cast<TPreview*>(::GetWindowLongPtrA(preview, DWLP_USER));
}

void ShowFamily(HWND preview, TPreview& state) {
    const TPreviewFamily family = ShownFamily();
    DrawNotice(state.screen, family, state.caption, state.text);
    char note[256] = {};
    if (family == TPreviewFamily::Vista7 || family == TPreviewFamily::Win8to11)
        LoadText(IDS_PREVIEW_APPROXIMATION, note, sizeof note);
    ::SetDlgItemTextA(preview, IDC_PREVIEW_NOTE, note);
}

void InitPreview(HWND preview, TPreview& state) {
    ::SetWindowLongPtrA(preview, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    for (const UINT id : FamilyNames) {
        char name[128] = {};
        LoadText(id, name, sizeof name);
        ::SendDlgItemMessageA(preview, IDC_PREVIEW_FAMILY, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(name));
    }
    ::SendDlgItemMessageA(preview, IDC_PREVIEW_FAMILY, CB_SETCURSEL,
                          static_cast<WPARAM>(ShownFamily()), 0);
    ::SetDlgItemTextA(preview, IDC_PREVIEW_CUTS,
                      NoticeCutList(NoticeCuts(state.caption, state.text)).c_str());
    if (CreatePreviewScreen(preview, ::GetDlgItem(preview, IDC_PREVIEW_FRAME), state.screen))
        ShowFamily(preview, state);
}

void PickFamily(HWND preview) {
    const LRESULT index = ::SendDlgItemMessageA(preview, IDC_PREVIEW_FAMILY, CB_GETCURSEL, 0, 0);
    TPreview* state = PreviewOf(preview);
    if (index < 0 || index >= PreviewFamilyCount || state == nullptr) return;
    PickedFamily = static_cast<int>(index);
    ShowFamily(preview, *state);
}

void OnPreviewCommand(HWND preview, int id, int code) {
    switch (id) {
    case IDOK:
    case IDCANCEL: ::EndDialog(preview, id); break;
    case IDC_PREVIEW_FAMILY:
        if (code == CBN_SELCHANGE) PickFamily(preview);
        break;
    default: break;
    }
}

INT_PTR CALLBACK PreviewProc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) try {
    switch (message) {
    case WM_INITDIALOG: InitPreview(preview, *reinterpret_cast<TPreview*>(lParam)); return TRUE;
    case WM_COMMAND: OnPreviewCommand(preview, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CLOSE: ::EndDialog(preview, IDCANCEL); return TRUE;
    default: return FALSE;
    }
} catch (...) {
    // As in the main dialog: nothing unwinds into the dialog manager.
    return TRUE;
}

}  // namespace

void AddPreviewMenu(HWND dialog) { AppendSystemMenuItem(dialog, IDM_PREVIEW, IDS_PREVIEW_MENU); }

bool PreviewCommand(HWND dialog, WPARAM command) {
    // The system uses the four low bits of a system command itself.
    if ((command & 0xFFF0) != IDM_PREVIEW) return false;
    // The texts as the edits hold them now, saved or not.
    TPreview state{NoticeText(dialog, IDC_NOTICE_CAPTION), NoticeText(dialog, IDC_NOTICE_TEXT), {}};
    ::DialogBoxParamA(::GetModuleHandleA(nullptr), IDD_PREVIEW, dialog, PreviewProc,
                      reinterpret_cast<LPARAM>(&state));
    return true;
}

}  // namespace velmora
