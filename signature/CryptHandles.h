// Owners of what crypt32 hands out; they release through the per-call
// wrappers like every other crypt32 call of the program.
#pragma once

#include "ApiCrypt.h"
#include "Handles.h"

namespace velmora {

namespace detail {
inline void CloseCertStore(HCERTSTORE h) noexcept { ApiCrypt::CertCloseStore(h, 0); }
inline void FreeCertContext(PCCERT_CONTEXT h) noexcept { ApiCrypt::CertFreeCertificateContext(h); }
inline void FreeCertChain(PCCERT_CHAIN_CONTEXT h) noexcept { ApiCrypt::CertFreeCertificateChain(h); }
}  // namespace detail

using TCertStore = TUniqueHandle<THandleTraits<HCERTSTORE, nullptr, &detail::CloseCertStore>>;
using TCertContext =
    TUniqueHandle<THandleTraits<PCCERT_CONTEXT, nullptr, &detail::FreeCertContext>>;
using TCertChain =
    TUniqueHandle<THandleTraits<PCCERT_CHAIN_CONTEXT, nullptr, &detail::FreeCertChain>>;

}  // namespace velmora
