// The program's own Authenticode signature and its signer's certificate in
// the current user's trusted root store. Nothing here shows anything; every
// failure is a false result.
#pragma once

#include <windows.h>

namespace velmora {

// True when the system trusts the file's signature: hash, signature and a
// chain up to a trusted root.
bool VerifyFileSignature(const char* path);

// The signer of the file's one certificate-table entry, from the signed
// message alone (no judgement of trust). `nameBuffer` may be null: then
// `nameLength` gets the size needed. The name is cut to nameBufferSize - 1
// characters; `nameLength` counts what was copied with the terminator, and
// is 0 on failure. `expiry`, when given, gets the certificate's NotAfter in
// UTC.
bool GetFileSignerInfo(const char* path, char* nameBuffer, DWORD nameBufferSize,
                       DWORD* nameLength, SYSTEMTIME* expiry);

// True when the current user's "Root" store holds a certificate whose
// subject contains `name` and whose chain has no error.
bool CheckRootCertificate(const char* name);

// Adds the DER certificate in the file at `path` to the current user's
// "Root" store, but only when its display name is the program signer's.
// On false the thread's last-error value is what the failing call left.
bool InstallCertificateFile(const char* path);

}  // namespace velmora
