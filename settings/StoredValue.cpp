#include "settings/StoredValue.h"

#include "app/AppState.h"
#include "registry/APIRegistry.h"

namespace velmora {

namespace {

constexpr int NameCapacity = 64;

bool IsNtFamily() { return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT; }

// The 9x family's W functions are stubs; its registry holds ANSI only.
LONG Query(HKEY key, const char* name, const wchar_t* wideName, DWORD* type, BYTE* data,
           DWORD* size) {
    return IsNtFamily() ? ::RegQueryValueExW(key, wideName, nullptr, type, data, size)
                        : ::RegQueryValueExA(key, name, nullptr, type, data, size);
}

}  // namespace

TStoredValue ReadStoredValue(HKEY key, const char* name) {
    TStoredValue value;
    wchar_t wideName[NameCapacity] = {};
    if (::MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, NameCapacity) == 0) return value;
    // Another program may change the size between the two queries.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0, size = 0;
        LONG result = Query(key, name, wideName, &type, nullptr, &size);
        if (result == ERROR_SUCCESS) {
            value.data.assign(size, '\0');
            result = Query(key, name, wideName, &type,
                           size > 0 ? reinterpret_cast<BYTE*>(&value.data[0]) : nullptr, &size);
        }
        if (result == ERROR_MORE_DATA) continue;
        if (result == ERROR_FILE_NOT_FOUND) value.state = TStoredValue::Absent;
        if (result != ERROR_SUCCESS) break;
        value.state = TStoredValue::Present;
        value.type = type;
        value.data.resize(size);
        return value;
    }
    value.data.clear();
    return value;
}

void WriteStoredValue(HKEY key, const char* name, const TStoredValue& value) {
    const auto* data = reinterpret_cast<const BYTE*>(value.data.data());
    const auto size = static_cast<DWORD>(value.data.size());
    LONG result = ERROR_INVALID_PARAMETER;
    if (IsNtFamily()) {
        wchar_t wideName[NameCapacity] = {};
        if (::MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, NameCapacity) != 0)
            result = ::RegSetValueExW(key, wideName, 0, value.type, data, size);
    } else {
        result = ::RegSetValueExA(key, name, 0, value.type, data, size);
    }
    if (result != ERROR_SUCCESS) throw APIRegistryException(result);
}

bool DiffersFrom(const TStoredValue& a, const TStoredValue& b) {
    if (a.state == TStoredValue::Unknown || b.state == TStoredValue::Unknown) return false;
    return a.state != b.state ||
           (a.state == TStoredValue::Present && (a.type != b.type || a.data != b.data));
}

}  // namespace velmora
