// The program file's own signature: trusted as a whole (wintrust), and who
// signed it (the certificate table, crypt32).
#include <windows.h>

#include <imagehlp.h>
#include <softpub.h>
#include <wintrust.h>

#include "app/StructSize.h"
#include "base/BoundCall.h"
#include "base/Handles.h"
#include "signature/ApiCrypt.h"
#include "signature/ApiWinCrypt.h"

namespace velmora {

namespace {

constexpr DWORD Encoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr DWORD CertificateHeaderSize = 8;  // dwLength, wRevision, wCertificateType

// The platform's structures have grown since; the sizes the trust provider
// is told are those of the fields filled in here.
constexpr DWORD FileInfoSize = VELMORA_SIZE_THROUGH(WINTRUST_FILE_INFO, pgKnownSubject);
constexpr DWORD TrustDataSize = VELMORA_SIZE_THROUGH(WINTRUST_DATA, dwUIContext);
constexpr DWORD VerifyParaSize = VELMORA_SIZE_THROUGH(CRYPT_VERIFY_MESSAGE_PARA, pvGetArg);
static_assert(SizeKeeps32BitValue(FileInfoSize, 16) && SizeKeeps32BitValue(TrustDataSize, 48) &&
              SizeKeeps32BitValue(VerifyParaSize, 20));

// imagehlp is not part of every system the program runs on (the 9x family
// has none of these functions), and is needed only here: bound at run time
// from the system folder, like wintrust. Without it the file counts as
// carrying no certificate table.
template <typename Fn, typename... Args>
bool CallImageHelp(const char* exportName, Args... args) {
    return CallBound<TKeepFirstLoad, Fn>("imagehlp.dll", exportName, FALSE, args...) != FALSE;
}

// Reads entry 0 of the certificate table whole into `entry`. An entry whose
// length is shorter than its own header or longer than the file is refused
// before anything is read into a buffer of that length.
bool ReadOnlyCertificateEntry(HANDLE file, THeapBuffer& entry) {
    DWORD count = 0;
    if (!CallImageHelp<decltype(&::ImageEnumerateCertificates)>(
            "ImageEnumerateCertificates", file, WORD{CERT_SECTION_TYPE_ANY}, &count,
            static_cast<DWORD*>(nullptr), DWORD{0}) ||
        count != 1)
        return false;
    WIN_CERTIFICATE header = {};
    header.wRevision = WIN_CERT_REVISION_1_0;
    if (!CallImageHelp<decltype(&::ImageGetCertificateHeader)>("ImageGetCertificateHeader", file,
                                                               DWORD{0}, &header))
        return false;
    DWORD fileSizeHigh = 0;
    const DWORD fileSize = ::GetFileSize(file, &fileSizeHigh);
    if (header.dwLength < CertificateHeaderSize ||
        (fileSizeHigh == 0 && header.dwLength > fileSize))
        return false;
    entry = THeapBuffer(header.dwLength);
    if (!entry) return false;
    DWORD length = header.dwLength;
    return CallImageHelp<decltype(&::ImageGetCertificateData)>(
        "ImageGetCertificateData", file, DWORD{0}, entry.as<WIN_CERTIFICATE>(), &length);
}

// WinVerifyTrust's own result for the file; a path that cannot be measured
// counts as no signature.
LONG FileTrustStatus(const char* path) {
    const int needed = ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, nullptr, 0);
    if (needed == 0) return TRUST_E_NOSIGNATURE;
    const THeapBuffer widePath((needed + 1) * sizeof(wchar_t));
    if (!widePath) return TRUST_E_NOSIGNATURE;
    ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, widePath.as<wchar_t>(), needed + 1);

    WINTRUST_FILE_INFO file = {};
    file.cbStruct = FileInfoSize;
    file.pcwszFilePath = widePath.as<wchar_t>();
    WINTRUST_DATA trust = {};
    trust.cbStruct = TrustDataSize;
    trust.dwUIChoice = WTD_UI_NONE;
    trust.fdwRevocationChecks = WTD_REVOKE_NONE;
    trust.dwUnionChoice = WTD_CHOICE_FILE;
    trust.pFile = &file;
    trust.dwStateAction = WTD_STATEACTION_IGNORE;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    // Bound from the system folder like crypt32: wintrust.dll is no known
    // DLL, and a copy beside the program would otherwise be loaded first.
    const LONG notBound = TRUST_E_PROVIDER_UNKNOWN;
    return CallBound<TKeepFirstLoad, decltype(&::WinVerifyTrust)>(
        "wintrust.dll", "WinVerifyTrust", notBound, static_cast<HWND>(nullptr), &action,
        static_cast<void*>(&trust));
}

}  // namespace

bool VerifyFileSignature(const char* path) { return FileTrustStatus(path) == 0; }

bool VerifyFileUnchanged(const char* path) {
    // The system judges the chain only after the file's hash and signature
    // held: these results say that only trust in the signer is missing.
    // Anything else, a changed or unsigned file above all, proves nothing.
    switch (FileTrustStatus(path)) {
    case 0:
    case CERT_E_UNTRUSTEDROOT:
    case CERT_E_CHAINING:
        return true;
    default:
        return false;
    }
}

TCertContext GetFileSignerCertificate(const char* path) {
    const TFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr));
    if (!file) return {};
    THeapBuffer entry;
    if (!ReadOnlyCertificateEntry(file.get(), entry)) return {};

    CRYPT_VERIFY_MESSAGE_PARA para = {};
    para.cbSize = VerifyParaSize;
    para.dwMsgAndCertEncodingType = Encoding;
    TCertContext signer;
    if (!ApiCrypt::CryptVerifyMessageSignature(
            &para, 0, entry.as<BYTE>() + CertificateHeaderSize,
            static_cast<DWORD>(entry.size()) - CertificateHeaderSize, nullptr, nullptr,
            signer.put()))
        return {};
    return signer;
}

bool GetFileSignerInfo(const char* path, char* nameBuffer, DWORD nameBufferSize,
                       DWORD* nameLength, SYSTEMTIME* expiry) {
    *nameLength = 0;
    const TCertContext signer = GetFileSignerCertificate(path);
    return signer && GetSignerInfo(signer.get(), nameBuffer, nameBufferSize, nameLength, expiry);
}

bool GetSignerInfo(PCCERT_CONTEXT signer, char* nameBuffer, DWORD nameBufferSize,
                   DWORD* nameLength, SYSTEMTIME* expiry) {
    *nameLength = 0;
    const DWORD needed =
        ApiCrypt::CertGetNameStringA(signer, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
    if (needed > 0 && nameBuffer != nullptr && nameBufferSize > 0) {
        // Read whole, then cut: not every crypt32 cuts a name that does not
        // fit; some hand back an empty one.
        const THeapBuffer whole(needed);
        if (!whole) return false;
        ApiCrypt::CertGetNameStringA(signer, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr,
                                     whole.chars(), needed);
        ::lstrcpynA(nameBuffer, whole.chars(), static_cast<int>(nameBufferSize));
        *nameLength = static_cast<DWORD>(::lstrlenA(nameBuffer)) + 1;
    } else {
        *nameLength = needed;
    }
    if (expiry != nullptr) ::FileTimeToSystemTime(&signer->pCertInfo->NotAfter, expiry);
    return true;
}

}  // namespace velmora
