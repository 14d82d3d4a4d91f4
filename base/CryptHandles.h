// Owners of what crypt32 hands out; they release through the same binding
// `Crypt` (a TCrypt32) that made them.
#pragma once

#include <windows.h>

#include <wincrypt.h>

#include "base/Handles.h"

namespace velmora {

template <typename Crypt>
struct TCryptOwners {
    static void CloseStore(HCERTSTORE h) noexcept { Crypt::CertCloseStore(h, 0); }
    static void FreeContext(PCCERT_CONTEXT h) noexcept { Crypt::CertFreeCertificateContext(h); }
    static void FreeChain(PCCERT_CHAIN_CONTEXT h) noexcept { Crypt::CertFreeCertificateChain(h); }

    using TStore = TUniqueHandle<THandleTraits<HCERTSTORE, nullptr, &CloseStore>>;
    using TContext = TUniqueHandle<THandleTraits<PCCERT_CONTEXT, nullptr, &FreeContext>>;
    using TChain = TUniqueHandle<THandleTraits<PCCERT_CHAIN_CONTEXT, nullptr, &FreeChain>>;
};

}  // namespace velmora
