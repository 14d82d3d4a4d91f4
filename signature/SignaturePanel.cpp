#include "signature/SignaturePanel.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/FormatText.h"
#include "base/Handles.h"
#include "base/ModulePath.h"
#include "base/SystemLibrary.h"
#include "signature/ApiWinCrypt.h"
#include "ui/ControlIds.h"
#include "ui/DialogState.h"
#include "ui/Tooltips.h"

namespace velmora {

namespace {

// Bottom left: 20 dialog units from the left edge (30 pixels at 96 DPI,
// where "MS Shell Dlg" is Tahoma and a dialog unit 1.5 pixels wide) and
// centred on the Save button, so that it stays on the row of the push
// buttons whatever size the font takes at the screen's DPI. The control has the size of the
// system's icons at that DPI (32 pixels at 96), the size ExtractIconA and
// LoadIconA hand out.
constexpr int IconLeftUnits = 20;
constexpr DWORD IconStyle = WS_CHILD | WS_VISIBLE | SS_ICON | SS_NOTIFY | SS_CENTERIMAGE;
constexpr int InOrderIconIndex = 1, ProblemIconIndex = 2;
constexpr int SignerNameCapacity = 51;
constexpr int InOrderFormatCapacity = 120;
constexpr int InOrderTextCapacity = 255;
constexpr int MessageCapacity = 255;

RECT IconRect(HWND dialog) {
    RECT left = {IconLeftUnits, 0, 0, 0};
    ::MapDialogRect(dialog, &left);
    const int width = ::GetSystemMetrics(SM_CXICON), height = ::GetSystemMetrics(SM_CYICON);
    RECT save = {};
    ::GetWindowRect(::GetDlgItem(dialog, IDC_SAVE), &save);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&save), 2);
    const int top = (save.top + save.bottom) / 2 - height / 2;
    return {left.left, top, left.left + width, top + height};
}

HWND EnsureIcon(HWND dialog) {
    HWND icon = ::GetDlgItem(dialog, IDC_SIGNATUREICON);
    if (icon == nullptr) {
        const RECT r = IconRect(dialog);
        icon = ::CreateWindowExA(0, "STATIC", "", IconStyle, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, dialog,
                                 reinterpret_cast<HMENU>(IDC_SIGNATUREICON),
                                 ::GetModuleHandleA(nullptr), nullptr);
    }
    return icon;
}

void SetIcon(HWND control, int cryptUiIndex, LPCSTR fallback) {
    char library[MAX_PATH + 1] = {};
    TIcon extracted;
    if (SystemFilePath("cryptui.dll", library, sizeof library)) {
        extracted.reset(::ExtractIconA(::GetModuleHandleA(nullptr), library, cryptUiIndex));
        // 1 means "not a file with icons", not an icon.
        if (extracted.get() == reinterpret_cast<HICON>(1)) extracted.release();
    }
    const HICON shown = extracted ? extracted.get() : ::LoadIconA(nullptr, fallback);
    ::SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(shown), 0);
    ExtractedIcon = std::move(extracted);
}

void ShowError(HWND dialog, UINT textId) {
    char message[MessageCapacity] = {};
    LoadText(textId, message, MessageCapacity - 1);
    AppMessageBox(dialog, message, MB_ICONERROR);
}

// One balloon at a time: the one of an earlier build goes first.
void ReplaceBalloon(HWND dialog, int icon, const char* literalText, UINT textId) {
    SignatureTip.reset();
    SignatureTip.reset(
        AddBalloonTip(dialog, IDC_SIGNATUREICON, icon, literalText, textId, IDS_SIGNATURE_TITLE));
}

// The icon is no tab stop and the template fixed: the system menu's item is
// the way to the install by keyboard, there exactly while a click installs.
bool HasInstallItem(HMENU menu) {
    return menu != nullptr &&
           ::GetMenuState(menu, IDM_INSTALL_CERTIFICATE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

void ShowInstallItem(HWND dialog, bool shown) {
    const HMENU menu = ::GetSystemMenu(dialog, FALSE);
    if (menu == nullptr || HasInstallItem(menu) == shown) return;
    if (!shown) {
        ::DeleteMenu(menu, IDM_INSTALL_CERTIFICATE, MF_BYCOMMAND);
        return;
    }
    char text[64] = {};
    LoadText(IDS_INSTALL_CERT_MENU, text, sizeof text);
    ::AppendMenuA(menu, MF_STRING, IDM_INSTALL_CERTIFICATE, text);
}

void ShowProblemState(HWND dialog) {
    const HWND icon = EnsureIcon(dialog);
    if (icon == nullptr) return;
    ShowInstallItem(dialog, true);
    SetIcon(icon, ProblemIconIndex, IDI_EXCLAMATION);
    ReplaceBalloon(dialog, TTI_ERROR, nullptr, IDS_CERT_INVALID);
}

void ShowInOrderState(HWND dialog, const char* signer, const SYSTEMTIME& expiry) {
    const HWND icon = EnsureIcon(dialog);
    if (icon == nullptr) return;
    ShowInstallItem(dialog, false);
    SetIcon(icon, InOrderIconIndex, IDI_ASTERISK);
    char format[InOrderFormatCapacity] = {};
    LoadText(IDS_CERT_VALID, format, InOrderFormatCapacity);
    char text[InOrderTextCapacity] = {};
    FormatText(text, format, signer, expiry.wDay, expiry.wMonth, expiry.wYear);
    ReplaceBalloon(dialog, TTI_INFO, text, 0);
}

void HidePanel(HWND dialog) {
    ShowInstallItem(dialog, false);
    SignatureTip.reset();
    if (const HWND icon = ::GetDlgItem(dialog, IDC_SIGNATUREICON)) ::DestroyWindow(icon);
    ExtractedIcon.reset();
}

}  // namespace

bool BuildSignaturePanel(HWND dialog) {
    char path[ModulePathCapacity] = {};
    if (ProgramFilePath(path) == 0) return false;
    if (!VerifyFileSignature(path)) {
        ShowProblemState(dialog);
        return false;
    }
    const TCertContext signerCertificate = GetFileSignerCertificate(path);
    char signer[SignerNameCapacity] = {};
    DWORD signerLength = 0;
    SYSTEMTIME expiry = {};
    if (!signerCertificate || !GetSignerInfo(signerCertificate.get(), signer, SignerNameCapacity,
                                             &signerLength, &expiry)) {
        ShowError(dialog, IDS_SIGNATURE_BROKEN);
        ShowProblemState(dialog);
        return false;
    }
    if (!CheckRootCertificate(signerCertificate.get())) {
        ShowProblemState(dialog);
        return false;
    }
    if (OptionCert)
        ShowInOrderState(dialog, signer, expiry);
    else
        HidePanel(dialog);
    return true;
}

void SignaturePanelClick(HWND dialog) {
    THeapBuffer certificate;
    if (!CompanionFilePath("cer", certificate)) return;
    switch (InstallCertificateFile(certificate.chars())) {
    case TInstallResult::Installed:
        if (!BuildSignaturePanel(dialog)) ShowError(dialog, IDS_SIGNATURE_FAILED);
        break;
    case TInstallResult::NotTheSigners:
        ShowError(dialog, IDS_CERT_FOREIGN);
        break;
    case TInstallResult::ProgramChanged:
        ShowError(dialog, IDS_SIGNATURE_BROKEN);
        break;
    case TInstallResult::Failed:
        if (const DWORD error = ::GetLastError(); error != 0)
            ReportWin32Error(error);
        else
            ShowError(dialog, IDS_SIGNATURE_BROKEN);
        break;
    }
}

bool SignatureMenuCommand(HWND dialog, WPARAM command) {
    // The system uses the four low bits of a system command itself.
    if ((command & 0xFFF0) != IDM_INSTALL_CERTIFICATE) return false;
    // Sent while the item is absent, the command installs nothing.
    if (HasInstallItem(::GetSystemMenu(dialog, FALSE))) SignaturePanelClick(dialog);
    return true;
}

}  // namespace velmora
