// Kestrel.dll: adds the certificate of a certificate file to a system store,
// for setup programs.
#include <windows.h>

#include "certimport/ImportCertificate.h"

// The result is a one-byte Boolean in AL, stdcall with two pointer arguments.
extern "C" BOOLEAN WINAPI ImportCertFile(LPCSTR fileName, LPCSTR storeName) {
    return kestrel::ImportCertificate<velmora::TCrypt32Names>(fileName, storeName) ? TRUE : FALSE;
}

// The same for UTF-16 names: a certificate below a profile whose user name
// lies outside the ANSI code page has no ANSI path.
extern "C" BOOLEAN WINAPI ImportCertFileW(LPCWSTR fileName, LPCWSTR storeName) {
    return kestrel::ImportCertificate<velmora::TCrypt32Names>(fileName, storeName) ? TRUE : FALSE;
}
