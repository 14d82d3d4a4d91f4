#include "tests/driver/CertStoreProbe.h"

#include <windows.h>
#include <wincrypt.h>

#include <fstream>
#include <iterator>

namespace uidriver {

namespace {

// The first certificate in the store with the hash of `der`; null if none.
PCCERT_CONTEXT FindByHash(HCERTSTORE store, const std::string& der) {
    BYTE hash[20] = {};
    DWORD length = sizeof hash;
    if (!::CryptHashCertificate(0, CALG_SHA1, 0, reinterpret_cast<const BYTE*>(der.data()),
                                static_cast<DWORD>(der.size()), hash, &length))
        return nullptr;
    CRYPT_HASH_BLOB blob = {length, hash};
    return ::CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_SHA1_HASH, &blob,
                                        nullptr);
}

// The current user's own part of a system store. Wine forgets a deletion made
// through the system store, which also shows the machine's part.
HCERTSTORE OpenUserStore(const char* storeName) {
    return ::CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_A, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER,
                           storeName);
}

}  // namespace

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool StoreHolds(const char* storeName, const std::string& der) {
    const HCERTSTORE store = OpenUserStore(storeName);
    const PCCERT_CONTEXT found = store ? FindByHash(store, der) : nullptr;
    if (found) ::CertFreeCertificateContext(found);
    if (store) ::CertCloseStore(store, 0);
    return found != nullptr;
}

void RemoveFromStore(const char* storeName, const std::string& der) {
    const HCERTSTORE store = OpenUserStore(storeName);
    if (!store) return;
    while (const PCCERT_CONTEXT found = FindByHash(store, der))
        if (!::CertDeleteCertificateFromStore(found)) break;
    ::CertCloseStore(store, 0);
}

bool InUserRootStore(const std::string& certificateFile) {
    return StoreHolds("Root", ReadBytes(certificateFile));
}

void RemoveFromUserRootStore(const std::string& certificateFile) {
    RemoveFromStore("Root", ReadBytes(certificateFile));
}

}  // namespace uidriver
