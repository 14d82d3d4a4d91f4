// A Winlogon value exactly as stored: whether it is there, its type and its
// bytes, so that two reads tell whether another program changed it.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

struct TStoredValue {
    // Unknown: the read failed, so nothing can be said about a change.
    enum TState { Unknown, Absent, Present };
    TState state = Unknown;
    DWORD type = 0;
    std::string data;
};

// Reads `name` of `key` (opened with query rights) raw: through the W
// function on the NT family, so that Unicode text the ANSI functions show
// as look-alikes still compares exactly; through the A one on the 9x family.
TStoredValue ReadStoredValue(HKEY key, const char* name);

// Stores `value` again as it was read (the same function family, type and
// bytes). Raises APIRegistryException on failure.
void WriteStoredValue(HKEY key, const char* name, const TStoredValue& value);

// True only when both reads succeeded and found a different state, type or
// data.
bool DiffersFrom(const TStoredValue& a, const TStoredValue& b);

}  // namespace velmora
