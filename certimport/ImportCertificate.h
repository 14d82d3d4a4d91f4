// Adding the certificate of a certificate file to a system store of the
// current user.
#pragma once

#include <windows.h>

#include "base/CertificateFile.h"
#include "base/Crypt32.h"
#include "base/CryptHandles.h"
#include "base/SystemLibrary.h"

namespace kestrel {

// crypt32 as Kestrel calls it: a DLL in a setup program keeps nothing
// between calls. `Names` is the seam for tests.
template <typename Names>
using TKestrelCrypt = velmora::TCrypt32<Names, velmora::TKeepNothing>;

template <typename Crypt>
HCERTSTORE OpenSystemStore(const char* storeName) {
    return Crypt::CertOpenSystemStoreA(0, storeName);
}
template <typename Crypt>
HCERTSTORE OpenSystemStore(const wchar_t* storeName) {
    return Crypt::CertOpenSystemStoreW(0, storeName);
}

// `Char` is char for ANSI names, wchar_t for UTF-16 ones; both go the same way.
template <typename Names, typename Char>
bool ImportCertificate(const Char* fileName, const Char* storeName) {
    using Crypt = TKestrelCrypt<Names>;
    // Every call releases the library after it; without a reference of our
    // own the context and the store would outlive the code behind them.
    const velmora::TLibrary library = velmora::LoadSystemLibrary(Names::library);
    if (!library) return false;
    const typename velmora::TCryptOwners<Crypt>::TContext context =
        velmora::CertificateFromFile<Crypt>(fileName);
    if (!context) return false;
    const typename velmora::TCryptOwners<Crypt>::TStore store(
        OpenSystemStore<Crypt>(storeName));
    if (!store) return false;
    return Crypt::CertAddCertificateContextToStore(store.get(), context.get(), CERT_STORE_ADD_ALWAYS,
                                                   nullptr) != FALSE;
}

}  // namespace kestrel
