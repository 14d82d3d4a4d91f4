// The yardsticks of the start-up benchmark: Velmora's own dialog template,
// icon and manifest, shown by a program that does only what the platform
// makes Velmora pay for at start, so that Velmora's ratio to it is its own
// work.
//   Yardstick.exe          HHCtrl.OCX, version, wintrust and crypt32 loaded
//                          from the system folder
//   Yardstick.exe FILE     the same, and the signature panel's calls for FILE:
//                          the trust check, and when that passes the signer
//                          read from the certificate table and the Root store
//                          opened and searched; the icon from cryptui.dll
//                          unless all is in order
#include <windows.h>
#include <imagehlp.h>
#include <shellapi.h>
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <string>
#include <vector>

#include "ui/ControlIds.h"

namespace {

constexpr DWORD Encoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
std::string Checked;  // the file whose signature the panel judges; empty: none

std::string SystemPath(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

bool Trusted(const std::string& file) {
    const std::wstring wide(file.begin(), file.end());
    WINTRUST_FILE_INFO info = {sizeof info, wide.c_str()};
    WINTRUST_DATA data = {sizeof data};
    data.dwUIChoice = WTD_UI_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &info;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    return ::WinVerifyTrust(nullptr, &action, &data) == 0;
}

// The signer's display name, from the one entry of the certificate table.
std::string SignerName(const std::string& file) {
    const HANDLE h = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    DWORD count = 0;
    WIN_CERTIFICATE header = {0, 0x0100};
    std::vector<BYTE> entry;
    DWORD length = 0;
    if (::ImageEnumerateCertificates(h, CERT_SECTION_TYPE_ANY, &count, nullptr, 0) &&
        count == 1 && ::ImageGetCertificateHeader(h, 0, &header) && header.dwLength > 8) {
        entry.resize(header.dwLength);
        length = header.dwLength;
        if (!::ImageGetCertificateData(h, 0, reinterpret_cast<WIN_CERTIFICATE*>(entry.data()),
                                       &length))
            length = 0;
    }
    ::CloseHandle(h);
    CRYPT_VERIFY_MESSAGE_PARA para = {sizeof para, Encoding};
    PCCERT_CONTEXT signer = nullptr;
    if (length <= 8 || !::CryptVerifyMessageSignature(&para, 0, entry.data() + 8, length - 8,
                                                      nullptr, nullptr, &signer))
        return {};
    char name[51] = {};
    ::CertGetNameStringA(signer, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, sizeof name);
    ::CertFreeCertificateContext(signer);
    return name;
}

bool RootTrusts(const std::string& name) {
    const HCERTSTORE store = ::CertOpenSystemStoreA(0, "Root");
    if (store == nullptr) return false;
    bool trusted = false;
    if (const PCCERT_CONTEXT root = ::CertFindCertificateInStore(
            store, Encoding, 0, CERT_FIND_SUBJECT_STR_A, name.c_str(), nullptr)) {
        CERT_CHAIN_PARA para = {sizeof para};
        PCCERT_CHAIN_CONTEXT chain = nullptr;
        if (::CertGetCertificateChain(nullptr, root, nullptr, nullptr, &para, 0, nullptr, &chain)) {
            trusted = chain->TrustStatus.dwErrorStatus == CERT_TRUST_NO_ERROR;
            ::CertFreeCertificateChain(chain);
        }
        ::CertFreeCertificateContext(root);
    }
    ::CertCloseStore(store, 0);
    return trusted;
}

void ShowPanel(HWND dialog) {
    if (Trusted(Checked)) {
        const std::string signer = SignerName(Checked);
        if (!signer.empty() && RootTrusts(signer)) return;
    }
    const HWND icon = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ICON | SS_NOTIFY,
                                        30, 385, 32, 32, dialog, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
    const HICON picture =
        ::ExtractIconA(::GetModuleHandleA(nullptr), SystemPath("cryptui.dll").c_str(), 2);
    ::SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
}

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        if (!Checked.empty()) ShowPanel(dialog);
        return TRUE;
    case WM_CLOSE: ::EndDialog(dialog, 0); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, 0);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    Checked = arguments;
    if (!Checked.empty() && Checked[0] == '"') Checked = Checked.substr(1, Checked.find('"', 1) - 1);
    const HMODULE help = ::LoadLibraryA(SystemPath("hhctrl.ocx").c_str());
    // version.dll too, which nothing here calls.
    for (const char* name : {"version.dll", "wintrust.dll", "crypt32.dll"})
        ::LoadLibraryA(SystemPath(name).c_str());
    ::DialogBoxParamA(instance, IDD_MAINDIALOG, nullptr, Proc, 0);
    if (help != nullptr) ::FreeLibrary(help);
    return 0;
}
