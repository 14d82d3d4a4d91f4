#include "base/FileContents.h"

namespace velmora {

THeapBuffer ReadWholeFile(HANDLE file) {
    LONG sizeHigh = 0;
    ::SetLastError(NO_ERROR);
    const DWORD size = ::SetFilePointer(file, 0, &sizeHigh, FILE_END);
    if (size == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) return {};
    // The decoders take a 32-bit size: the low part alone of a larger file
    // would decode a certificate from its first bytes.
    if (sizeHigh != 0) {
        ::SetLastError(ERROR_FILE_TOO_LARGE);
        return {};
    }
    if (::SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0) return {};
    THeapBuffer contents(size);
    if (!contents) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return {};
    }
    DWORD read = 0;
    if (!::ReadFile(file, contents.chars(), size, &read, nullptr)) return {};
    if (read != size) {
        ::SetLastError(ERROR_HANDLE_EOF);
        return {};
    }
    return contents;
}

}  // namespace velmora
