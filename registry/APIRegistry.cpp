#include "registry/APIRegistry.h"

namespace velmora {

namespace {

// One leading backslash is dropped; paths are always relative to the root.
std::string NormalisePath(const std::string& path) {
    return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}

void Check(LONG result) {
    if (result != ERROR_SUCCESS) throw APIRegistryException(result);
}

// Longest run of `data` (of `size` bytes) before a zero byte.
size_t TextLength(const char* data, size_t size) {
    size_t n = 0;
    while (n < size && data[n] != '\0') ++n;
    return n;
}

std::string Expand(const std::string& text) {
    const DWORD need = ::ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (need == 0) return text;
    const THeapBuffer expanded(need);
    if (!expanded || ::ExpandEnvironmentStringsA(text.c_str(), expanded.chars(), need) == 0)
        return text;
    return std::string(expanded.chars(), TextLength(expanded.chars(), need));
}

// Elements up to the first empty one or the end of the data, each followed
// by a carriage return.
std::string JoinMultiString(const char* data, size_t size) {
    std::string result;
    size_t at = 0;
    while (at < size) {
        const size_t n = TextLength(data + at, size - at);
        if (n == 0) break;
        result.append(data + at, n).push_back('\r');
        at += n + 1;
    }
    return result;
}

}  // namespace

APIRegistryException::APIRegistryException(LONG code) {
    char* text = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                         static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    if (length > 0 && text != nullptr) {
        Message.assign(text, length);
        ErrorCode = code;
    }
    if (text != nullptr) ::LocalFree(text);
}

TAPIRegistry::~TAPIRegistry() { CloseKey(); }

bool TAPIRegistry::OpenKey(const std::string& path) {
    const std::string normalised = NormalisePath(path);
    TRegKey key;
    Check(::RegOpenKeyExA(RootKey, normalised.c_str(), 0, Access | View, key.put()));
    CloseKey();
    CurrentKey = std::move(key);
    CurrentPath = normalised;
    return true;
}

bool TAPIRegistry::CreateKey(const std::string& path) {
    const std::string normalised = NormalisePath(path);
    TRegKey key;
    Check(::RegCreateKeyExA(RootKey, normalised.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE | View, nullptr, key.put(), nullptr));
    return true;
}

void TAPIRegistry::CloseKey() {
    if (!CurrentKey) return;
    if (!CloseOnRelease) ::RegFlushKey(CurrentKey.get());
    CurrentKey.reset();
    CurrentPath.clear();
}

bool TAPIRegistry::KeyExists(const std::string& path) const {
    TRegKey key;
    const LONG result =
        ::RegOpenKeyExA(RootKey, NormalisePath(path).c_str(), 0, KEY_READ | View, key.put());
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

bool TAPIRegistry::ValueExists(const char* name) const {
    if (!CurrentKey) return false;
    DWORD type = 0, size = 0;
    const LONG result = ::RegQueryValueExA(CurrentKey.get(), name, nullptr, &type, nullptr, &size);
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

DWORD TAPIRegistry::GetDataSize(const char* name) const {
    DWORD type = 0, size = 0;
    Check(::RegQueryValueExA(CurrentKey.get(), name, nullptr, &type, nullptr, &size));
    return size;
}

DWORD TAPIRegistry::ReadData(const char* name, void* buffer, DWORD size, DWORD& type) const {
    type = 0;
    DWORD delivered = size;
    Check(::RegQueryValueExA(CurrentKey.get(), name, nullptr, &type, static_cast<BYTE*>(buffer),
                             &delivered));
    return delivered;
}

void TAPIRegistry::WriteData(const char* name, const void* data, DWORD type, DWORD count) {
    Check(::RegSetValueExA(CurrentKey.get(), name, 0, type, static_cast<const BYTE*>(data), count));
}

std::string TAPIRegistry::ReadString(const char* name) const {
    const DWORD size = GetDataSize(name);
    if (size == 0) return {};
    // Two spare zero bytes beyond what is read: any program can store string
    // data without its terminator, and the expansion below needs one.
    const THeapBuffer buffer(static_cast<SIZE_T>(size) + 2);
    if (!buffer) throw APIRegistryException(ERROR_NOT_ENOUGH_MEMORY);
    DWORD type = 0;
    const DWORD delivered = ReadData(name, buffer.chars(), size, type);
    if (delivered == 0) return {};
    const char* data = buffer.chars();
    switch (type) {
    case REG_SZ: return std::string(data, TextLength(data, delivered));
    case REG_EXPAND_SZ: return Expand(std::string(data, TextLength(data, delivered)));
    case REG_MULTI_SZ: return JoinMultiString(data, delivered);
    default: return {};
    }
}

void TAPIRegistry::WriteString(const char* name, const std::string& text) {
    WriteData(name, text.c_str(), REG_SZ, static_cast<DWORD>(text.size() + 1));
}

bool TAPIRegistry::DeleteValue(const char* name) {
    if (!CurrentKey) return false;
    return ::RegDeleteValueA(CurrentKey.get(), name) == ERROR_SUCCESS;
}

}  // namespace velmora
