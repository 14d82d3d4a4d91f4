#include "FileContents.h"

namespace kestrel {

velmora::THeapBuffer ReadWholeFile(HANDLE file) {
    LONG sizeHigh = 0;
    ::SetLastError(NO_ERROR);
    const DWORD size = ::SetFilePointer(file, 0, &sizeHigh, FILE_END);
    // The decoder takes a 32-bit size: the low part alone of a larger file
    // would decode a certificate from its first bytes.
    if ((size == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) || sizeHigh != 0)
        return {};
    if (::SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0) return {};
    velmora::THeapBuffer contents(size);
    DWORD read = 0;
    if (!contents || !::ReadFile(file, contents.chars(), size, &read, nullptr) || read != size)
        return {};
    return contents;
}

}  // namespace kestrel
