// The tests' own look into the system certificate stores in the registry,
// the current user's or the local machine's, through crypt32 directly and
// always in the registry's 64-bit view, the one Windows reads.
#pragma once

#include <string>

namespace uidriver {

enum class TStoreLocation { CurrentUser, LocalMachine };

std::string ReadBytes(const std::string& path);
// Whether the store holds a certificate with the SHA-1 hash of `der`.
bool StoreHolds(const char* storeName, const std::string& der,
                TStoreLocation location = TStoreLocation::CurrentUser);
void AddToStore(const char* storeName, const std::string& der, TStoreLocation location);
void RemoveFromStore(const char* storeName, const std::string& der,
                     TStoreLocation location = TStoreLocation::CurrentUser);

// The same for the current user's "Root" store and a DER certificate file.
bool InUserRootStore(const std::string& certificateFile);
void RemoveFromUserRootStore(const std::string& certificateFile);
// The current user's "Root" store as crypt32 shows it (the hashes of its
// certificates) and as its registry key holds it (the names of its entries).
std::string UserRootSnapshot();

}  // namespace uidriver
