// What crypt32 keeps of the current user's "Root" store in the registry,
// looked at independently of the program under test.
#pragma once

#include <string>

namespace uidriver {

// The SHA-1 thumbprint of a DER certificate file, in upper-case hex.
std::string Thumbprint(const std::string& certificateFile);
bool InUserRootStore(const std::string& certificateFile);
void RemoveFromUserRootStore(const std::string& certificateFile);

}  // namespace uidriver
