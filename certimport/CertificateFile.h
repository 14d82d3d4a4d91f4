// The certificate context made from a certificate file.
#pragma once

#include <windows.h>

#include "CertFunctions.h"
#include "FileContents.h"

namespace kestrel {

// Empty unless the file holds exactly one DER-encoded certificate. The
// contents and the file are let go before the caller touches any store.
template <typename Names>
typename TCertOwners<Names>::TContext CertificateFromFile(const char* fileName) {
    const velmora::TFileHandle file(::CreateFileA(fileName, GENERIC_READ, FILE_SHARE_WRITE, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    const velmora::THeapBuffer contents = velmora::ReadWholeFile(file.get());
    if (!contents) return {};
    return typename TCertOwners<Names>::TContext(TCertFunctions<Names>::CertCreateCertificateContext(
        X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, contents.as<BYTE>(),
        static_cast<DWORD>(contents.size())));
}

}  // namespace kestrel
