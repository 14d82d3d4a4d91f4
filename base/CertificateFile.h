// The certificate context made from a certificate file.
#pragma once

#include <windows.h>

#include <wincrypt.h>

#include "base/CryptHandles.h"
#include "base/FileContents.h"
#include "base/Handles.h"

namespace velmora {

// Shared for writing only: a file that another process is reading is not
// taken. A path outside the ANSI code page (a user's profile) needs the wide
// call.
inline HANDLE OpenCertificateFile(const char* fileName) {
    return ::CreateFileA(fileName, GENERIC_READ, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}
inline HANDLE OpenCertificateFile(const wchar_t* fileName) {
    return ::CreateFileW(fileName, GENERIC_READ, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Empty unless the file holds exactly one DER-encoded certificate. A cut
// certificate never gets as far as the decoder, let alone a store; the
// contents and the file are let go before the caller touches any store. On
// failure the thread's last-error value is what the failing call left.
template <typename Crypt, typename Char>
typename TCryptOwners<Crypt>::TContext CertificateFromFile(const Char* fileName) {
    const TFileHandle file(OpenCertificateFile(fileName));
    if (!file) return {};
    const THeapBuffer contents = ReadWholeFile(file.get());
    if (!contents) return {};
    return typename TCryptOwners<Crypt>::TContext(Crypt::CertCreateCertificateContext(
        X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, contents.as<BYTE>(),
        static_cast<DWORD>(contents.size())));
}

}  // namespace velmora
