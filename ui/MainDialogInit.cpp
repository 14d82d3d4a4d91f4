#include "ui/MainDialogInit.h"

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "settings/LogonNotice.h"
#include "settings/PolicyNotice.h"
#include "signature/SignaturePanel.h"
#include "ui/ControlIds.h"
#include "ui/DialogState.h"
#include "ui/MainDialog.h"
#include "ui/NoticeExport.h"
#include "ui/NoticeLoad.h"
#include "ui/NoticePreview.h"
#include "ui/OpenedBalloon.h"
#include "ui/TextLimits.h"
#include "ui/Tooltips.h"
#include "ui/VersionText.h"

#include <commctrl.h>

namespace velmora {

namespace {

HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

void Enable(HWND dialog, int id, bool enable) { ::EnableWindow(Item(dialog, id), enable); }

bool HasText(HWND dialog, int id) { return ::GetWindowTextLengthA(Item(dialog, id)) > 0; }

void SetSmallIcon(HWND dialog) {
    const HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), IDI_MAINICON);
    ::SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void ApplyNoRightsState(HWND dialog) {
    if (IsShieldSystem()) ::SendDlgItemMessageA(dialog, IDC_SAVE, BCM_SETSHIELD, 0, TRUE);
    char text[16] = {};
    if (LoadText(IDS_CHANGE, text, sizeof text) > 0) ::SetDlgItemTextA(dialog, IDC_SAVE, text);
    Enable(dialog, IDC_NOTICE_ENABLED, false);
    SetEditReadOnly(Item(dialog, IDC_NOTICE_CAPTION));
    SetEditReadOnly(Item(dialog, IDC_NOTICE_TEXT));
}

void MakeLink(HWND link) {
    // The class cursor is shared by every static control of the process.
    ::SetClassLongPtrA(link, GCLP_HCURSOR,
                       reinterpret_cast<LONG_PTR>(::LoadCursorA(nullptr, IDC_HAND)));
    LOGFONTA font = {};
    const auto current = reinterpret_cast<HGDIOBJ>(::SendMessageA(link, WM_GETFONT, 0, 0));
    if (::GetObjectA(current, sizeof font, &font) == 0) return;
    font.lfUnderline = 1;
    LinkFont.reset(::CreateFontIndirectA(&font));
    if (LinkFont) ::SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(LinkFont.get()), FALSE);
}

void ShowVersion(HWND dialog) {
    char text[32] = {};
    if (FormatVersionText(text) > 0) ::SetDlgItemTextA(dialog, IDC_VERSION, text);
}

void PreparePromptBlock(HWND dialog) {
    if (!IsLogonPromptSystem()) {
        Enable(dialog, IDC_PROMPT_FRAME, false);
        Enable(dialog, IDC_PROMPT_ENABLED, false);
        Enable(dialog, IDC_PROMPT, false);
    } else if (!IsAdmin) {
        Enable(dialog, IDC_PROMPT_ENABLED, false);
        SetEditReadOnly(Item(dialog, IDC_PROMPT));
    }
}

void LimitInputs(HWND dialog) {
    for (const int id : {IDC_NOTICE_CAPTION, IDC_NOTICE_TEXT, IDC_PROMPT})
        ::SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, TextLimitOf(id), 0);
}

// Both blocks from their texts; see DeriveNoticeBlock.
void DeriveCheckBoxes(HWND dialog) {
    DeriveNoticeBlock(dialog);
    if (!IsLogonPromptSystem()) return;
    const bool prompt = HasText(dialog, IDC_PROMPT);
    Enable(dialog, IDC_PROMPT, prompt);
    ::CheckDlgButton(dialog, IDC_PROMPT_ENABLED, prompt ? BST_CHECKED : BST_UNCHECKED);
}

void AddCounters(HWND dialog) {
    if (!CreateCounterTip(dialog)) return;
    AddCounterTool(Item(dialog, IDC_NOTICE_CAPTION));
    AddCounterTool(Item(dialog, IDC_NOTICE_TEXT));
    AddCounterTool(Item(dialog, IDC_PROMPT));
}

bool WantsSignaturePanel() { return (IsShieldSystem() && !OptionNoCert) || OptionCert; }

}  // namespace

void InitMainDialog(HWND dialog) {
    const HWND link = Item(dialog, IDC_COPYRIGHT);
    SetSmallIcon(dialog);
    if (!IsAdmin) ApplyNoRightsState(dialog);
    if (link != nullptr) MakeLink(link);
    ShowVersion(dialog);
    PreparePromptBlock(dialog);
    LimitInputs(dialog);
    LoadLogonNotice(dialog);
    DeriveCheckBoxes(dialog);
    RememberLogonNotice(dialog);
    AddCounters(dialog);
    if (!IsAdmin)
        ElevationTip.reset(
            AddBalloonTip(dialog, IDC_SAVE, TTI_INFO, nullptr, IDS_ELEVATION_TEXT, IDS_ELEVATION_TITLE));
    // Told, not enforced: the user may still keep Winlogon's own values.
    if (PolicySetsLogonNotice())
        PolicyTip.reset(AddAreaBalloonTip(dialog, IDC_NOTICE_FRAME, TTI_WARNING, IDS_POLICY_TEXT,
                                          IDS_POLICY_TITLE));
    // The exports, the load and the preview first: the panel's install item
    // follows them.
    AddExportMenu(dialog);
    AddLoadMenu(dialog);
    AddPreviewMenu(dialog);
    if (WantsSignaturePanel()) BuildSignaturePanel(dialog);
}

void DeriveNoticeBlock(HWND dialog) {
    const bool notice = HasText(dialog, IDC_NOTICE_CAPTION) && HasText(dialog, IDC_NOTICE_TEXT);
    Enable(dialog, IDC_NOTICE_CAPTION, notice);
    Enable(dialog, IDC_NOTICE_TEXT, notice);
    ::CheckDlgButton(dialog, IDC_NOTICE_ENABLED, notice ? BST_CHECKED : BST_UNCHECKED);
}

void ReloadLogonNotice(HWND dialog) {
    // The load leaves the edit of a value that is not stored as it finds it.
    for (const int id : {IDC_NOTICE_CAPTION, IDC_NOTICE_TEXT, IDC_PROMPT})
        ::SetDlgItemTextA(dialog, id, "");
    LoadLogonNotice(dialog);
    DeriveCheckBoxes(dialog);
    RememberLogonNotice(dialog);
    for (const int id : {IDC_NOTICE_CAPTION, IDC_NOTICE_TEXT, IDC_PROMPT})
        UpdateCounterTool(Item(dialog, id));
    ReportKeptLogonNotice(dialog);
}

void ShowStartHints(HWND dialog) {
    ReportKeptLogonNotice(dialog);
    if (PolicyTip)
        OpenBalloon(dialog,
                    AddTrackingBalloonTip(dialog, TTI_WARNING, IDS_POLICY_TEXT, IDS_POLICY_TITLE),
                    Item(dialog, IDC_NOTICE_CAPTION));
}

}  // namespace velmora
