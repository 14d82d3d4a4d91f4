// The signer's certificate in the current user's trusted root store: looked
// up by name, and installed from a certificate file.
#include <windows.h>

#include <cstring>

#include "app/StructSize.h"
#include "base/CertificateFile.h"
#include "base/Handles.h"
#include "base/ModulePath.h"
#include "signature/ApiCrypt.h"
#include "signature/ApiWinCrypt.h"

namespace velmora {

namespace {

constexpr DWORD Encoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr const char* RootStoreName = "Root";
// cbSize and the requested usage; no further chain options.
constexpr DWORD ChainParaSize = VELMORA_SIZE_THROUGH(CERT_CHAIN_PARA, RequestedUsage);
static_assert(SizeKeeps32BitValue(ChainParaSize, 16));

TCertStore OpenRootStore() { return TCertStore(ApiCrypt::CertOpenSystemStoreA(0, RootStoreName)); }

// The certificate's simple display name; empty on failure.
THeapBuffer DisplayName(PCCERT_CONTEXT certificate) {
    const DWORD size = ApiCrypt::CertGetNameStringA(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0,
                                                    nullptr, nullptr, 0);
    THeapBuffer name(size + 1);
    if (name && size > 0)
        ApiCrypt::CertGetNameStringA(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr,
                                     name.chars(), size);
    return name;
}

// The program signer's whole display name; empty when it cannot be read.
THeapBuffer OwnSignerName() {
    char path[ModulePathCapacity] = {};
    if (ProgramFilePath(path) == 0) return {};
    DWORD needed = 0;
    if (!GetFileSignerInfo(path, nullptr, 0, &needed, nullptr) || needed == 0) return {};
    THeapBuffer name(needed + 1);
    DWORD copied = 0;
    if (!name || !GetFileSignerInfo(path, name.chars(), needed, &copied, nullptr)) return {};
    return name;
}

// Whole names, byte for byte. An empty name is nobody's: a certificate
// without a display name must never pass for the signer's.
bool SameName(const char* a, const char* b) {
    const int length = ::lstrlenA(a);
    return length > 0 && length == ::lstrlenA(b) && ::memcmp(a, b, length) == 0;
}

}  // namespace

bool CheckRootCertificate(const char* name) {
    // An empty name is contained in every subject: any root would do.
    if (name == nullptr || name[0] == '\0') return false;
    const TCertStore store = OpenRootStore();
    if (!store) return false;
    const TCertContext root(ApiCrypt::CertFindCertificateInStore(
        store.get(), Encoding, 0, CERT_FIND_SUBJECT_STR_A, name, nullptr));
    if (!root) return false;
    CERT_CHAIN_PARA para = {};
    para.cbSize = ChainParaSize;
    para.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    TCertChain chain;
    if (!ApiCrypt::CertGetCertificateChain(nullptr, root.get(), nullptr, nullptr, &para, 0,
                                           nullptr, chain.put()))
        return false;
    return chain.get()->TrustStatus.dwErrorStatus == CERT_TRUST_NO_ERROR;
}

bool InstallCertificateFile(const char* path) {
    const TCertContext certificate = CertificateFromFile<ApiCrypt>(path);
    if (!certificate) return false;

    const THeapBuffer certificateName = DisplayName(certificate.get());
    const THeapBuffer signerName = OwnSignerName();
    if (!certificateName || !signerName) return false;
    if (!SameName(certificateName.chars(), signerName.chars())) return false;

    const TCertStore store = OpenRootStore();
    if (!store) return false;
    return ApiCrypt::CertAddCertificateContextToStore(store.get(), certificate.get(),
                                                      CERT_STORE_ADD_ALWAYS, nullptr) != FALSE;
}

}  // namespace velmora
