// Test access to the Winlogon values in the 64-bit view, the one the logon
// reads, independent of the program under test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace uidriver {

struct TValue {
    DWORD type = 0;
    std::string data;  // raw bytes, terminator included when stored
};

extern const char* const WinlogonNt;  // HKLM path on the NT family
extern const char* const Winlogon9x;  // HKLM path on the 9x family

// The view that a program of this build's architecture sees without a view
// flag: the redirected 32-bit one under WOW64, else the 64-bit one. Wine
// drops the view flag of a program that it shows as 9x, which therefore
// works in this view, as a real 9x system has a single view.
constexpr REGSAM OwnView = sizeof(void*) == 4 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

std::optional<TValue> ReadValue(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY);
void WriteValue(const char* key, const char* name, DWORD type, const std::string& data,
                REGSAM view = KEY_WOW64_64KEY);
void WriteText(const char* key, const char* name, const std::string& text);  // REG_SZ + zero
void DeleteValue(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY);
void DeleteKey(const char* key, REGSAM view = KEY_WOW64_64KEY);
bool KeyExists(const char* key, REGSAM view = KEY_WOW64_64KEY);

// Through the W functions, as other tools (regedit, PowerShell) store the
// values: REG_SZ of `text` and its zero; the data as stored, UTF-16 bytes.
void WriteWideText(const char* key, const wchar_t* name, const std::wstring& text);
// `data` stored as it is, whatever its type and size.
void WriteWideData(const char* key, const wchar_t* name, DWORD type, const std::string& data);
std::optional<std::string> ReadWideData(const char* key, const wchar_t* name);

}  // namespace uidriver
