// Adding the certificate of a certificate file to a system store of the
// current user.
#pragma once

#include <windows.h>

#include "CertFunctions.h"
#include "CertificateFile.h"

namespace kestrel {

template <typename Names>
bool ImportCertificate(const char* fileName, const char* storeName) {
    using Crypt = TCertFunctions<Names>;
    // Every binding releases the library after its call; without a reference
    // of our own the context and the store would outlive the code behind them.
    const velmora::TLibrary library = velmora::LoadSystemLibrary(Names::library);
    if (!library) return false;
    const typename TCertOwners<Names>::TContext context = CertificateFromFile<Names>(fileName);
    if (!context) return false;
    const typename TCertOwners<Names>::TStore store(Crypt::CertOpenSystemStoreA(0, storeName));
    if (!store) return false;
    return Crypt::CertAddCertificateContextToStore(store.get(), context.get(), CERT_STORE_ADD_ALWAYS,
                                                   nullptr) != FALSE;
}

}  // namespace kestrel
