// Kestrel.dll: adds the certificate of a certificate file to a system store,
// for setup programs.
#include <windows.h>

#include "ImportCertificate.h"

// The result is a one-byte Boolean in AL, stdcall with two pointer arguments.
extern "C" BOOLEAN WINAPI ImportCertFile(LPCSTR fileName, LPCSTR storeName) {
    return kestrel::ImportCertificate<kestrel::TCrypt32>(fileName, storeName) ? TRUE : FALSE;
}
