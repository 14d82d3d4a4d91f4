// crypt32, bound at run time through CallBound, so that a program or DLL
// starts without it and nothing beside it can stand in for it. Same
// parameters and results as the functions themselves; a library or export
// that cannot be bound gives the function's failure result.
#pragma once

#include <windows.h>

#include <wincrypt.h>

#include "base/BoundCall.h"

namespace velmora {

// The library and export names. A test binds another library or a missing
// export by deriving from it and hiding one name.
struct TCrypt32Names {
    static constexpr const char* library = "crypt32.dll";
    static constexpr const char* CertOpenSystemStoreA = "CertOpenSystemStoreA";
    static constexpr const char* CertOpenSystemStoreW = "CertOpenSystemStoreW";
    static constexpr const char* CertCreateCertificateContext = "CertCreateCertificateContext";
    static constexpr const char* CertAddCertificateContextToStore =
        "CertAddCertificateContextToStore";
    static constexpr const char* CertFreeCertificateContext = "CertFreeCertificateContext";
    static constexpr const char* CertFindCertificateInStore = "CertFindCertificateInStore";
    static constexpr const char* CertGetCertificateChain = "CertGetCertificateChain";
    static constexpr const char* CertFreeCertificateChain = "CertFreeCertificateChain";
    static constexpr const char* CertGetNameStringA = "CertGetNameStringA";
    static constexpr const char* CertCloseStore = "CertCloseStore";
    static constexpr const char* CryptVerifyMessageSignature = "CryptVerifyMessageSignature";
    static constexpr const char* CertGetCertificateContextProperty =
        "CertGetCertificateContextProperty";
    static constexpr const char* CertFindExtension = "CertFindExtension";
    static constexpr const char* CryptDecodeObject = "CryptDecodeObject";
    static constexpr const char* CryptHashCertificate = "CryptHashCertificate";
};

// `Hold` says whether the library outlives the calls (TKeepFirstLoad) or not
// (TKeepNothing).
template <typename Names, typename Hold>
struct TCrypt32 {
// The export's type is decltype of the platform's own declaration.
#define VELMORA_CRYPT32(name, notBound, ...) \
    CallBound<Hold, decltype(&::name)>(Names::library, Names::name, notBound, __VA_ARGS__)

    static HCERTSTORE CertOpenSystemStoreA(HCRYPTPROV_LEGACY provider, LPCSTR storeName) {
        return VELMORA_CRYPT32(CertOpenSystemStoreA, HCERTSTORE(nullptr), provider, storeName);
    }
    static HCERTSTORE CertOpenSystemStoreW(HCRYPTPROV_LEGACY provider, LPCWSTR storeName) {
        return VELMORA_CRYPT32(CertOpenSystemStoreW, HCERTSTORE(nullptr), provider, storeName);
    }
    static PCCERT_CONTEXT CertCreateCertificateContext(DWORD encoding, const BYTE* encoded,
                                                       DWORD length) {
        return VELMORA_CRYPT32(CertCreateCertificateContext, PCCERT_CONTEXT(nullptr), encoding,
                               encoded, length);
    }
    static BOOL CertAddCertificateContextToStore(HCERTSTORE store, PCCERT_CONTEXT context,
                                                 DWORD disposition, PCCERT_CONTEXT* storeContext) {
        return VELMORA_CRYPT32(CertAddCertificateContextToStore, BOOL(FALSE), store, context,
                               disposition, storeContext);
    }
    static BOOL CertFreeCertificateContext(PCCERT_CONTEXT context) {
        return VELMORA_CRYPT32(CertFreeCertificateContext, BOOL(FALSE), context);
    }
    static PCCERT_CONTEXT CertFindCertificateInStore(HCERTSTORE store, DWORD encoding,
                                                     DWORD findFlags, DWORD findType,
                                                     const void* findPara,
                                                     PCCERT_CONTEXT previous) {
        return VELMORA_CRYPT32(CertFindCertificateInStore, PCCERT_CONTEXT(nullptr), store,
                               encoding, findFlags, findType, findPara, previous);
    }
    static BOOL CertGetCertificateChain(HCERTCHAINENGINE engine, PCCERT_CONTEXT context,
                                        LPFILETIME time, HCERTSTORE additionalStore,
                                        PCERT_CHAIN_PARA chainPara, DWORD flags, LPVOID reserved,
                                        PCCERT_CHAIN_CONTEXT* chainContext) {
        return VELMORA_CRYPT32(CertGetCertificateChain, BOOL(FALSE), engine, context, time,
                               additionalStore, chainPara, flags, reserved, chainContext);
    }
    static void CertFreeCertificateChain(PCCERT_CHAIN_CONTEXT chainContext) {
        CallBoundVoid<Hold, decltype(&::CertFreeCertificateChain)>(
            Names::library, Names::CertFreeCertificateChain, chainContext);
    }
    static DWORD CertGetNameStringA(PCCERT_CONTEXT context, DWORD type, DWORD flags,
                                    void* typePara, LPSTR name, DWORD nameSize) {
        return VELMORA_CRYPT32(CertGetNameStringA, DWORD(0), context, type, flags, typePara, name,
                               nameSize);
    }
    static BOOL CertCloseStore(HCERTSTORE store, DWORD flags) {
        return VELMORA_CRYPT32(CertCloseStore, BOOL(FALSE), store, flags);
    }
    static BOOL CryptVerifyMessageSignature(PCRYPT_VERIFY_MESSAGE_PARA verifyPara,
                                            DWORD signerIndex, const BYTE* signedBlob,
                                            DWORD signedBlobLength, BYTE* decoded,
                                            DWORD* decodedLength,
                                            PCCERT_CONTEXT* signerCertificate) {
        return VELMORA_CRYPT32(CryptVerifyMessageSignature, BOOL(FALSE), verifyPara, signerIndex,
                               signedBlob, signedBlobLength, decoded, decodedLength,
                               signerCertificate);
    }
    static BOOL CertGetCertificateContextProperty(PCCERT_CONTEXT context, DWORD propertyId,
                                                  void* data, DWORD* dataLength) {
        return VELMORA_CRYPT32(CertGetCertificateContextProperty, BOOL(FALSE), context,
                               propertyId, data, dataLength);
    }
    static PCERT_EXTENSION CertFindExtension(LPCSTR objectId, DWORD count,
                                             CERT_EXTENSION* extensions) {
        return VELMORA_CRYPT32(CertFindExtension, PCERT_EXTENSION(nullptr), objectId, count,
                               extensions);
    }
    static BOOL CryptDecodeObject(DWORD encoding, LPCSTR structType, const BYTE* encoded,
                                  DWORD encodedLength, DWORD flags, void* decoded,
                                  DWORD* decodedLength) {
        return VELMORA_CRYPT32(CryptDecodeObject, BOOL(FALSE), encoding, structType, encoded,
                               encodedLength, flags, decoded, decodedLength);
    }
    static BOOL CryptHashCertificate(HCRYPTPROV_LEGACY provider, ALG_ID algorithm, DWORD flags,
                                     const BYTE* data, DWORD dataLength, BYTE* hash,
                                     DWORD* hashLength) {
        return VELMORA_CRYPT32(CryptHashCertificate, BOOL(FALSE), provider, algorithm, flags,
                               data, dataLength, hash, hashLength);
    }

#undef VELMORA_CRYPT32
};

}  // namespace velmora
