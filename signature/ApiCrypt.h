// crypt32, reached only through these wrappers: each call loads the library,
// calls the function by its export name and releases the library again, so
// the program starts on systems without it. Same parameters and results as
// the functions themselves; a library or export that cannot be bound gives
// the function's failure result.
#pragma once

#include <windows.h>

#include <wincrypt.h>

namespace velmora::ApiCrypt {

inline constexpr const char* Library = "crypt32.dll";

HCERTSTORE CertOpenSystemStoreA(HCRYPTPROV_LEGACY provider, LPCSTR storeName);
PCCERT_CONTEXT CertCreateCertificateContext(DWORD encoding, const BYTE* encoded, DWORD length);
BOOL CertAddCertificateContextToStore(HCERTSTORE store, PCCERT_CONTEXT context, DWORD disposition,
                                      PCCERT_CONTEXT* storeContext);
BOOL CertFreeCertificateContext(PCCERT_CONTEXT context);
PCCERT_CONTEXT CertFindCertificateInStore(HCERTSTORE store, DWORD encoding, DWORD findFlags,
                                          DWORD findType, const void* findPara,
                                          PCCERT_CONTEXT previous);
BOOL CertGetCertificateChain(HCERTCHAINENGINE engine, PCCERT_CONTEXT context, LPFILETIME time,
                             HCERTSTORE additionalStore, PCERT_CHAIN_PARA chainPara, DWORD flags,
                             LPVOID reserved, PCCERT_CHAIN_CONTEXT* chainContext);
void CertFreeCertificateChain(PCCERT_CHAIN_CONTEXT chainContext);
DWORD CertGetNameStringA(PCCERT_CONTEXT context, DWORD type, DWORD flags, void* typePara,
                         LPSTR name, DWORD nameSize);
BOOL CertCloseStore(HCERTSTORE store, DWORD flags);
BOOL CryptVerifyMessageSignature(PCRYPT_VERIFY_MESSAGE_PARA verifyPara, DWORD signerIndex,
                                 const BYTE* signedBlob, DWORD signedBlobLength, BYTE* decoded,
                                 DWORD* decodedLength, PCCERT_CONTEXT* signerCertificate);

}  // namespace velmora::ApiCrypt
