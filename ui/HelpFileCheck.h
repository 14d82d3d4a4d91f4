// Whether the help file beside the program is the one it was built with.
// HTML Help runs a help file's scripts and its control's commands with the
// rights of the process that opens it, so a file that merely bears the
// name is never opened.
#pragma once

#include <windows.h>

#include <wincrypt.h>

namespace velmora {

// Hashes `size` bytes at `data` by `algorithm` into `hash`, whose capacity
// `*hashSize` gives and which it sets to the hash's length; FALSE when the
// system cannot. As CryptHashCertificate with the default provider.
using THashFunction = BOOL (*)(ALG_ID algorithm, const BYTE* data, DWORD size, BYTE* hash,
                               DWORD* hashSize);

BOOL SystemHash(ALG_ID algorithm, const BYTE* data, DWORD size, BYTE* hash, DWORD* hashSize);

// True only when the contents hash to the value the program carries: by
// SHA-256, or, only where the system cannot compute SHA-256 at all, by SHA-1.
bool IsGenuineHelpFile(const BYTE* data, DWORD size, THashFunction hash = SystemHash);

}  // namespace velmora
