// The program's own Authenticode signature and its signer's certificate in
// the current user's trusted root store. Nothing here shows anything; every
// failure is a false or empty result.
#pragma once

#include <windows.h>

#include "signature/ApiCrypt.h"

namespace velmora {

// True when the system trusts the file's signature: hash, signature and a
// chain up to a trusted root.
bool VerifyFileSignature(const char* path);

// True when the file is as its signer signed it: the system found its hash
// and signature intact, whether or not it trusts the signer yet. A file
// changed after signing, or carrying no signature, vouches for nobody.
bool VerifyFileUnchanged(const char* path);

// The signer's certificate of the file's one certificate-table entry, from
// the signed message alone (no judgement of trust); empty when there is not
// exactly one entry or its message does not verify.
TCertContext GetFileSignerCertificate(const char* path);

// The signer of the file's one certificate-table entry, from the signed
// message alone (no judgement of trust). `nameBuffer` may be null: then
// `nameLength` gets the size needed. The name is cut to nameBufferSize - 1
// characters; `nameLength` counts what was copied with the terminator, and
// is 0 on failure. `expiry`, when given, gets the certificate's NotAfter in
// UTC.
bool GetFileSignerInfo(const char* path, char* nameBuffer, DWORD nameBufferSize,
                       DWORD* nameLength, SYSTEMTIME* expiry);
// The same for a signer's certificate already read.
bool GetSignerInfo(PCCERT_CONTEXT signer, char* nameBuffer, DWORD nameBufferSize,
                   DWORD* nameLength, SYSTEMTIME* expiry);

// True when the current user's "Root" store holds `signer` itself, the same
// encoded certificate, and its chain has no error. A root that only bears
// the signer's name is somebody else's.
bool CheckRootCertificate(PCCERT_CONTEXT signer);

enum class TInstallResult {
    Installed,
    // The thread's last-error value is what the failing call left; 0 when
    // the program's signer could not be read.
    Failed,
    // The file's certificate is not the one that signed the program, or is
    // no code-signing end entity: nothing was opened, nothing added.
    NotTheSigners,
    // The program was changed after signing or carries no signature: its
    // signer proves nothing, and nothing was added.
    ProgramChanged,
};

// Adds the DER certificate in the file at `path` to the current user's
// "Root" store, but only when it is, byte for byte, the certificate that
// signed this unchanged program, and that certificate can sign code but
// never vouch for other certificates.
TInstallResult InstallCertificateFile(const char* path);

}  // namespace velmora
