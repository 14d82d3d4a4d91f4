// A small wrapper over the registry functions: one current key beneath a
// chosen root; the core operations raise APIRegistryException.
#pragma once

#include <windows.h>

#include <string>

#include "base/Handles.h"

namespace velmora {

class APIRegistryException {
public:
    // Built from the code alone; a code without system text gives an empty
    // Message and ErrorCode 0.
    explicit APIRegistryException(LONG code);

    std::string Message;
    LONG ErrorCode = 0;
};

class TAPIRegistry {
public:
    TAPIRegistry() = default;
    virtual ~TAPIRegistry();
    TAPIRegistry(const TAPIRegistry&) = delete;
    TAPIRegistry& operator=(const TAPIRegistry&) = delete;

    void SetRootKey(HKEY root) { RootKey = root; }
    bool OpenKey(const std::string& path);
    bool CreateKey(const std::string& path);
    void CloseKey();
    bool KeyExists(const std::string& path) const;

    bool ValueExists(const char* name) const;
    DWORD GetDataSize(const char* name) const;
    DWORD ReadData(const char* name, void* buffer, DWORD size, DWORD& type) const;
    void WriteData(const char* name, const void* data, DWORD type, DWORD count);
    std::string ReadString(const char* name) const;
    void WriteString(const char* name, const std::string& text);
    bool DeleteValue(const char* name);

    HKEY Key() const { return CurrentKey.get(); }
    const std::string& Path() const { return CurrentPath; }

    // Requested by OpenKey; callers assign it before opening.
    REGSAM Access = KEY_READ;
    // Added to the access of every key open and create: 0, or
    // KEY_WOW64_64KEY for the 64-bit view from a 32-bit process.
    REGSAM View = 0;
    bool CloseOnRelease = true;

private:
    TRegKey CurrentKey;
    HKEY RootKey = HKEY_CURRENT_USER;
    std::string CurrentPath;
};

}  // namespace velmora
