#include "Certificates.h"

#include <windows.h>

#include <wincrypt.h>

#include <vector>

namespace uidriver {

namespace {

std::string RootKey(const std::string& certificateFile) {
    return "Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\" +
           Thumbprint(certificateFile);
}

}  // namespace

std::string Thumbprint(const std::string& certificateFile) {
    const HANDLE file = ::CreateFileA(certificateFile.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::vector<BYTE> content(64 * 1024);
    DWORD read = 0;
    ::ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    ::CloseHandle(file);
    BYTE hash[20];
    DWORD size = sizeof hash;
    if (!::CryptHashCertificate(0, CALG_SHA1, 0, content.data(), read, hash, &size)) return {};
    std::string hex;
    char digits[3];
    for (BYTE b : hash) {
        ::wsprintfA(digits, "%02X", b);
        hex += digits;
    }
    return hex;
}

bool InUserRootStore(const std::string& certificateFile) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, RootKey(certificateFile).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void RemoveFromUserRootStore(const std::string& certificateFile) {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, RootKey(certificateFile).c_str());
}

}  // namespace uidriver
