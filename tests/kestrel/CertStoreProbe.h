// The tests' own look into the current user's part of the system certificate
// stores, through crypt32 directly.
#pragma once

#include <string>

namespace kestrel_test {

std::string ReadBytes(const std::string& path);
// Whether the store holds a certificate with the SHA-1 hash of `der`.
bool StoreHolds(const char* storeName, const std::string& der);
void RemoveFromStore(const char* storeName, const std::string& der);

}  // namespace kestrel_test
