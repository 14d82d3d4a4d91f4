// Kestrel's own run-time binding of the five crypt32 functions it uses, and
// the owners of what they hand out. Nothing is kept between calls: each call
// binds crypt32 afresh. The library and export names come from a names type
// so that a test can bind a missing export or a stand-in library instead.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include "CallExport.h"
#include "Handles.h"

namespace kestrel {

struct TCrypt32 {
    static constexpr const char* library = "crypt32.dll";
    static constexpr const char* createContext = "CertCreateCertificateContext";
    static constexpr const char* openStore = "CertOpenSystemStoreA";
    static constexpr const char* addToStore = "CertAddCertificateContextToStore";
    static constexpr const char* closeStore = "CertCloseStore";
    static constexpr const char* freeContext = "CertFreeCertificateContext";
};

template <typename Names>
struct TCertFunctions {
    static PCCERT_CONTEXT CertCreateCertificateContext(DWORD encoding, const BYTE* encoded,
                                                       DWORD size) {
        return CallExport<PCCERT_CONTEXT, DWORD, const BYTE*, DWORD>(
            Names::library, Names::createContext, encoding, encoded, size);
    }
    static HCERTSTORE CertOpenSystemStoreA(HCRYPTPROV_LEGACY provider, LPCSTR storeName) {
        return CallExport<HCERTSTORE, HCRYPTPROV_LEGACY, LPCSTR>(Names::library, Names::openStore,
                                                                 provider, storeName);
    }
    static BOOL CertAddCertificateContextToStore(HCERTSTORE store, PCCERT_CONTEXT context,
                                                 DWORD disposition, PCCERT_CONTEXT* added) {
        return CallExport<BOOL, HCERTSTORE, PCCERT_CONTEXT, DWORD, PCCERT_CONTEXT*>(
            Names::library, Names::addToStore, store, context, disposition, added);
    }
    static BOOL CertCloseStore(HCERTSTORE store, DWORD flags) {
        return CallExport<BOOL, HCERTSTORE, DWORD>(Names::library, Names::closeStore, store, flags);
    }
    static BOOL CertFreeCertificateContext(PCCERT_CONTEXT context) {
        return CallExport<BOOL, PCCERT_CONTEXT>(Names::library, Names::freeContext, context);
    }
};

template <typename Names>
struct TCertOwners {
    static void CloseStore(HCERTSTORE store) noexcept {
        TCertFunctions<Names>::CertCloseStore(store, 0);
    }
    static void FreeContext(PCCERT_CONTEXT context) noexcept {
        TCertFunctions<Names>::CertFreeCertificateContext(context);
    }
    using TStore = velmora::TUniqueHandle<velmora::THandleTraits<HCERTSTORE, nullptr, &CloseStore>>;
    using TContext =
        velmora::TUniqueHandle<velmora::THandleTraits<PCCERT_CONTEXT, nullptr, &FreeContext>>;
};

}  // namespace kestrel
