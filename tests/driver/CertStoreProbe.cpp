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

// A system store's own registry key alone. Wine forgets a deletion made
// through the current user's system store, which also shows the machine's.
HCERTSTORE OpenStore(const char* storeName, TStoreLocation location) {
    const HKEY root =
        location == TStoreLocation::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const std::string path = std::string("Software\\Microsoft\\SystemCertificates\\") + storeName;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    // The store works on a duplicate of the key.
    const HCERTSTORE store = ::CertOpenStore(CERT_STORE_PROV_REG, 0, 0, 0, key);
    ::RegCloseKey(key);
    return store;
}

}  // namespace

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool StoreHolds(const char* storeName, const std::string& der, TStoreLocation location) {
    const HCERTSTORE store = OpenStore(storeName, location);
    const PCCERT_CONTEXT found = store ? FindByHash(store, der) : nullptr;
    if (found) ::CertFreeCertificateContext(found);
    if (store) ::CertCloseStore(store, 0);
    return found != nullptr;
}

void AddToStore(const char* storeName, const std::string& der, TStoreLocation location) {
    const HCERTSTORE store = OpenStore(storeName, location);
    if (!store) return;
    ::CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING,
                                       reinterpret_cast<const BYTE*>(der.data()),
                                       static_cast<DWORD>(der.size()), CERT_STORE_ADD_ALWAYS, nullptr);
    ::CertCloseStore(store, 0);
}

void RemoveFromStore(const char* storeName, const std::string& der, TStoreLocation location) {
    const HCERTSTORE store = OpenStore(storeName, location);
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
std::string UserRootSnapshot() {
    std::string snapshot;
    if (const HCERTSTORE store = ::CertOpenSystemStoreA(0, "Root")) {
        for (PCCERT_CONTEXT c = nullptr; (c = ::CertEnumCertificatesInStore(store, c)) != nullptr;) {
            BYTE hash[20] = {};
            DWORD length = sizeof hash;
            ::CertGetCertificateContextProperty(c, CERT_SHA1_HASH_PROP_ID, hash, &length);
            snapshot.append(reinterpret_cast<const char*>(hash), length);
        }
        ::CertCloseStore(store, 0);
    }
    snapshot += '|';
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\SystemCertificates\\Root\\Certificates",
                        0, KEY_READ | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
        char name[MAX_PATH];
        for (DWORD i = 0, size = sizeof name;
             ::RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
             ERROR_SUCCESS;
             ++i, size = sizeof name)
            snapshot.append(name).append(",");
        ::RegCloseKey(key);
    }
    return snapshot;
}

}  // namespace uidriver
