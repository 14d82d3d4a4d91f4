// The size of a platform structure up to and including one of its fields:
// what the systems knew before the structure grew. Like the platform's own
// *_V1_SIZE constants it follows the architecture; the 32-bit values stay
// those the program always passed.
#pragma once

#include <windows.h>

#include <cstddef>

#define VELMORA_SIZE_THROUGH(type, field) \
    static_cast<DWORD>(offsetof(type, field) + sizeof(type::field))

// True in a 64-bit build; in a 32-bit build only when `size` is `expected`.
constexpr bool SizeKeeps32BitValue(DWORD size, DWORD expected) {
    return sizeof(void*) != 4 || size == expected;
}
