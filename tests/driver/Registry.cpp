#include "tests/driver/Registry.h"

namespace uidriver {

const char* const WinlogonNt = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char* const Winlogon9x = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";

std::optional<TValue> ReadValue(const char* key, const char* name, REGSAM view) {
    HKEY k = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | view, &k) != ERROR_SUCCESS)
        return std::nullopt;
    TValue value;
    DWORD size = 0;
    LONG result = ::RegQueryValueExA(k, name, nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.data.resize(size);
        result = ::RegQueryValueExA(k, name, nullptr, &value.type,
                                    reinterpret_cast<BYTE*>(&value.data[0]), &size);
        value.data.resize(size);
    }
    ::RegCloseKey(k);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return value;
}

void WriteValue(const char* key, const char* name, DWORD type, const std::string& data,
                REGSAM view) {
    HKEY k = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE | view, nullptr, &k,
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(k, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
    ::RegCloseKey(k);
}

void WriteText(const char* key, const char* name, const std::string& text) {
    WriteValue(key, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

void DeleteValue(const char* key, const char* name, REGSAM view) {
    HKEY k = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_WRITE | view, &k) != ERROR_SUCCESS) return;
    ::RegDeleteValueA(k, name);
    ::RegCloseKey(k);
}

void DeleteKey(const char* key, REGSAM view) {
    HKEY k = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS | view, &k) == ERROR_SUCCESS) {
        ::RegDeleteTreeA(k, nullptr);
        ::RegCloseKey(k);
    }
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, view, 0);
}

bool KeyExists(const char* key, REGSAM view) {
    HKEY k = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | view, &k) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(k);
    return true;
}

void WriteWideData(const char* key, const wchar_t* name, DWORD type, const std::string& data) {
    HKEY k = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY,
                          nullptr, &k, nullptr) != ERROR_SUCCESS)
        return;
    // For a text type, RegSetValueExW counts a terminator the data lacks when
    // the memory after the data holds one (as NT does): padding that is no
    // terminator keeps unterminated data exactly as given.
    const std::string padded = data + std::string(sizeof(wchar_t), '\x01');
    ::RegSetValueExW(k, name, 0, type, reinterpret_cast<const BYTE*>(padded.data()),
                     static_cast<DWORD>(data.size()));
    ::RegCloseKey(k);
}

void WriteWideText(const char* key, const wchar_t* name, const std::wstring& text) {
    WriteWideData(key, name, REG_SZ,
                  std::string(reinterpret_cast<const char*>(text.c_str()),
                              (text.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::string> ReadWideData(const char* key, const wchar_t* name) {
    HKEY k = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_64KEY, &k) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD size = 0;
    LONG result = ::RegQueryValueExW(k, name, nullptr, nullptr, nullptr, &size);
    std::string data(size, '\0');
    if (result == ERROR_SUCCESS && size > 0)
        result = ::RegQueryValueExW(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size);
    ::RegCloseKey(k);
    if (result != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);
    return data;
}

}  // namespace uidriver
