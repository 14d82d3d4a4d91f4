#include "ApiCrypt.h"

#include "CryptBinding.h"

namespace velmora::ApiCrypt {

// decltype of the platform's own declarations: the wrappers cannot drift
// from the real signatures, and nothing is linked.
#define VELMORA_BOUND(name, notBound, ...) \
    CallBound<decltype(&::name)>(Library, #name, notBound, __VA_ARGS__)

HCERTSTORE CertOpenSystemStoreA(HCRYPTPROV_LEGACY provider, LPCSTR storeName) {
    return VELMORA_BOUND(CertOpenSystemStoreA, HCERTSTORE(nullptr), provider, storeName);
}

PCCERT_CONTEXT CertCreateCertificateContext(DWORD encoding, const BYTE* encoded, DWORD length) {
    return VELMORA_BOUND(CertCreateCertificateContext, PCCERT_CONTEXT(nullptr), encoding, encoded,
                         length);
}

BOOL CertAddCertificateContextToStore(HCERTSTORE store, PCCERT_CONTEXT context, DWORD disposition,
                                      PCCERT_CONTEXT* storeContext) {
    return VELMORA_BOUND(CertAddCertificateContextToStore, BOOL(FALSE), store, context,
                         disposition, storeContext);
}

BOOL CertFreeCertificateContext(PCCERT_CONTEXT context) {
    return VELMORA_BOUND(CertFreeCertificateContext, BOOL(FALSE), context);
}

PCCERT_CONTEXT CertFindCertificateInStore(HCERTSTORE store, DWORD encoding, DWORD findFlags,
                                          DWORD findType, const void* findPara,
                                          PCCERT_CONTEXT previous) {
    return VELMORA_BOUND(CertFindCertificateInStore, PCCERT_CONTEXT(nullptr), store, encoding,
                         findFlags, findType, findPara, previous);
}

BOOL CertGetCertificateChain(HCERTCHAINENGINE engine, PCCERT_CONTEXT context, LPFILETIME time,
                             HCERTSTORE additionalStore, PCERT_CHAIN_PARA chainPara, DWORD flags,
                             LPVOID reserved, PCCERT_CHAIN_CONTEXT* chainContext) {
    return VELMORA_BOUND(CertGetCertificateChain, BOOL(FALSE), engine, context, time,
                         additionalStore, chainPara, flags, reserved, chainContext);
}

void CertFreeCertificateChain(PCCERT_CHAIN_CONTEXT chainContext) {
    CallBoundVoid<decltype(&::CertFreeCertificateChain)>(Library, "CertFreeCertificateChain",
                                                         chainContext);
}

DWORD CertGetNameStringA(PCCERT_CONTEXT context, DWORD type, DWORD flags, void* typePara,
                         LPSTR name, DWORD nameSize) {
    return VELMORA_BOUND(CertGetNameStringA, DWORD(0), context, type, flags, typePara, name,
                         nameSize);
}

BOOL CertCloseStore(HCERTSTORE store, DWORD flags) {
    return VELMORA_BOUND(CertCloseStore, BOOL(FALSE), store, flags);
}

BOOL CryptVerifyMessageSignature(PCRYPT_VERIFY_MESSAGE_PARA verifyPara, DWORD signerIndex,
                                 const BYTE* signedBlob, DWORD signedBlobLength, BYTE* decoded,
                                 DWORD* decodedLength, PCCERT_CONTEXT* signerCertificate) {
    return VELMORA_BOUND(CryptVerifyMessageSignature, BOOL(FALSE), verifyPara, signerIndex,
                         signedBlob, signedBlobLength, decoded, decodedLength, signerCertificate);
}

#undef VELMORA_BOUND

}  // namespace velmora::ApiCrypt
