// The signer's certificate in the current user's trusted root store: looked
// up as itself, and installed from a certificate file that is the same
// certificate.
#include <windows.h>

#include <cstring>

#include "app/StructSize.h"
#include "base/CertificateFile.h"
#include "base/Handles.h"
#include "base/ModulePath.h"
#include "signature/ApiCrypt.h"
#include "signature/ApiWinCrypt.h"
#include "signature/CodeSigningCertificate.h"

namespace velmora {

namespace {

constexpr DWORD Encoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr const char* RootStoreName = "Root";
constexpr DWORD Sha1Size = 20;
// cbSize and the requested usage; no further chain options.
constexpr DWORD ChainParaSize = VELMORA_SIZE_THROUGH(CERT_CHAIN_PARA, RequestedUsage);
static_assert(SizeKeeps32BitValue(ChainParaSize, 16));

TCertStore OpenRootStore() { return TCertStore(ApiCrypt::CertOpenSystemStoreA(0, RootStoreName)); }

// The same certificate: every byte of its encoding. Issuer and serial
// number alone are what anybody can copy into a certificate of his own.
bool SameCertificate(PCCERT_CONTEXT a, PCCERT_CONTEXT b) {
    return a->cbCertEncoded == b->cbCertEncoded &&
           std::memcmp(a->pbCertEncoded, b->pbCertEncoded, a->cbCertEncoded) == 0;
}

// The store's copy of `certificate`, found by its SHA-1 hash and confirmed
// byte for byte; empty when the store holds no such copy.
TCertContext FindSame(HCERTSTORE store, PCCERT_CONTEXT certificate) {
    BYTE hash[Sha1Size] = {};
    DWORD hashSize = sizeof hash;
    if (!ApiCrypt::CertGetCertificateContextProperty(certificate, CERT_SHA1_HASH_PROP_ID, hash,
                                                     &hashSize))
        return {};
    CRYPT_HASH_BLOB blob = {hashSize, hash};
    TCertContext found(ApiCrypt::CertFindCertificateInStore(store, Encoding, 0,
                                                            CERT_FIND_SHA1_HASH, &blob, nullptr));
    if (found && !SameCertificate(found.get(), certificate)) return {};
    return found;
}

}  // namespace

bool CheckRootCertificate(PCCERT_CONTEXT signer) {
    if (signer == nullptr) return false;
    const TCertStore store = OpenRootStore();
    if (!store) return false;
    const TCertContext root = FindSame(store.get(), signer);
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

TInstallResult InstallCertificateFile(const char* path) {
    const TCertContext certificate = CertificateFromFile<ApiCrypt>(path);
    if (!certificate) return TInstallResult::Failed;

    char program[ModulePathCapacity] = {};
    if (ProgramFilePath(program) == 0) return TInstallResult::Failed;
    const TCertContext signer = GetFileSignerCertificate(program);
    if (!signer) return TInstallResult::Failed;
    if (!VerifyFileUnchanged(program)) return TInstallResult::ProgramChanged;
    // Even when program and file were both replaced, trust on first use
    // gives away at most the trust in one code-signing key.
    if (!SameCertificate(certificate.get(), signer.get()) ||
        !IsCodeSigningEndEntity(certificate.get()))
        return TInstallResult::NotTheSigners;

    const TCertStore store = OpenRootStore();
    if (!store) return TInstallResult::Failed;
    return ApiCrypt::CertAddCertificateContextToStore(store.get(), certificate.get(),
                                                      CERT_STORE_ADD_ALWAYS, nullptr)
               ? TInstallResult::Installed
               : TInstallResult::Failed;
}

}  // namespace velmora
