// The tests' own look into the current user's part of the system certificate
// stores, through crypt32 directly.
#pragma once

#include <string>

namespace uidriver {

std::string ReadBytes(const std::string& path);
// Whether the store holds a certificate with the SHA-1 hash of `der`.
bool StoreHolds(const char* storeName, const std::string& der);
void RemoveFromStore(const char* storeName, const std::string& der);

// The same for the current user's "Root" store and a DER certificate file.
bool InUserRootStore(const std::string& certificateFile);
void RemoveFromUserRootStore(const std::string& certificateFile);

}  // namespace uidriver
