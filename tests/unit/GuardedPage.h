// A readable page followed by one that is not: a text placed to end at its
// last byte turns any read past the terminator into an access fault.
#pragma once

#include <windows.h>

#include <cstring>

class TGuardedPage {
public:
    TGuardedPage() {
        SYSTEM_INFO system;
        ::GetSystemInfo(&system);
        page_ = system.dwPageSize;
        block_ = static_cast<char*>(
            ::VirtualAlloc(nullptr, 2 * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        if (block_ != nullptr && !::VirtualProtect(block_ + page_, page_, PAGE_NOACCESS, &old)) {
            ::VirtualFree(block_, 0, MEM_RELEASE);
            block_ = nullptr;
        }
    }
    ~TGuardedPage() {
        if (block_ != nullptr) ::VirtualFree(block_, 0, MEM_RELEASE);
    }
    TGuardedPage(const TGuardedPage&) = delete;
    TGuardedPage& operator=(const TGuardedPage&) = delete;

    bool ready() const { return block_ != nullptr; }
    // A copy of `text` whose terminator is the page's last readable byte.
    char* PlaceAtEnd(const char* text) {
        const size_t n = std::strlen(text) + 1;
        char* line = block_ + page_ - n;
        std::memcpy(line, text, n);
        return line;
    }

private:
    DWORD page_ = 0;
    char* block_ = nullptr;
};
