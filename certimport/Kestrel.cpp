// Kestrel.dll: adds the certificate of a certificate file to a system store,
// for setup programs.
#include <windows.h>

#include "certimport/ImportCertificate.h"

// The result is a one-byte Boolean in AL, stdcall with two pointer arguments.
extern "C" BOOLEAN WINAPI ImportCertFile(LPCSTR fileName, LPCSTR storeName) {
    return kestrel::ImportCertificate<velmora::TCrypt32Names>(fileName, storeName) ? TRUE : FALSE;
}
